// Set-up and helpers shared by the editor's tests.
#include "editor_test.h"

#include "platform/files.h"

#include <unistd.h>

void EditorTest::SetUp() {
    folder = fs::temp_directory_path() / ("brondel-editor-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    settings = fs::path(ProgramDir) / "Brondel.ini";
    fs::remove(settings);
    LastProject.clear(); // read from the settings file at start-up, absent here
}

void EditorTest::TearDown() {
    fs::remove_all(folder);
    fs::remove(settings);
}

int EditorTest::RunEditor(Script& script) {
    int status = -1;
    script.Run([&] {
        char name[] = "brondel";
        char* argv[] = {name, nullptr};
        status = RunBrondel(1, argv);
    });
    return status;
}

void SetBox(int box, const std::array<Text, 3>& lines, Colour colour, const Text& styles) {
    const Text codes = styles + "000000000";
    for (int line = 1; line <= 3; ++line) {
        LineTable(line)[box] = lines[line - 1];
        BoldTable(line)[box] = codes[3 * line - 3] - '0';
        ItalicTable(line)[box] = codes[3 * line - 2] - '0';
        UnderlineTable(line)[box] = codes[3 * line - 1] - '0';
    }
    Red[box] = colour[0], Green[box] = colour[1], Blue[box] = colour[2];
}

uint32_t BoxPixel(int box, int x, int y) {
    const GadgetBounds r = GadgetRect(box);
    return CanvasPixel(MainWindow, r.x + x, r.y + y);
}

Text Asked(const Script& script) {
    Text asked;
    for (const RequesterCall& c : script.Requests())
        asked += c.kind + " | " + c.caption + " | " + c.text + " | " + c.defaultFile + " | " +
                 c.pattern + " | " + std::to_string(c.flags) + "\n";
    return asked;
}
