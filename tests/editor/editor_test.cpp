// Set-up and helpers shared by the editor's tests.
#include "editor_test.h"

#include "system/files.h"

void EditorTest::SetUp() {
    fs::copy(BRONDEL_EDITOR_DATA_DIR "/scratch", folder);
    settings = fs::path(ProgramDir) / "Brondel.ini";
    fs::remove(settings);
    ListenLikeAScreenReader(); // the user listens with a screen reader
    LastProject.clear();       // read from the settings file at start-up, absent here
    ClearChart();              // a test before, in the same process, may have left a chart
}

void EditorTest::TearDown() { fs::remove(settings); }

int EditorTest::RunEditor(Script& script, Text argument) {
    static char name[] = "brondel";
    char* argv[] = {name, argument.empty() ? nullptr : argument.data(), nullptr};
    SetCurrentDir(folder.string() + "/"); // started there, where a chart's name is relative to
    int status = -1;
    script.Run([&] { status = RunBrondel(argument.empty() ? 1 : 2, argv); });
    return status;
}

// The folder's own separator after it is written '/', as on Linux.
Text EditorTest::Masked(Text seen) const {
    for (const Text& name : {folder.string() + PathSeparator, folder.string()})
        for (size_t at; (at = seen.find(name)) != Text::npos;)
            seen.replace(at, name.size(), name.back() == PathSeparator ? "FOLDER/" : "FOLDER");
    return seen;
}

uint32_t BoxPixel(int box, int x, int y) {
    const GadgetBounds r = GadgetRect(box);
    return CanvasPixel(MainWindow, r.x + x, r.y + y) ^ 0xFF000000u;
}

Text Asked(const Script& script) {
    Text asked;
    for (const RequesterCall& c : script.Requests())
        asked += c.kind + " | " + c.caption + " | " + c.text + " | " + c.defaultFile + " | " +
                 c.pattern + " | " + std::to_string(c.flags) + "\n";
    return asked;
}
