// Set-up and helpers shared by the editor's tests.
#include "editor_test.h"

#include "platform/files.h"

#include <QTest>

#include <cstdlib>
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

void EditorTest::FakeDesktopOpener(int status) {
    testsupport::Spit(folder / "xdg-open", "#!/bin/sh\necho \"$1\" >> \"$0.url\"\nexit " +
                                               std::to_string(status) + "\n");
    fs::permissions(folder / "xdg-open", fs::perms::owner_all);
    static const Text path = std::getenv("PATH");
    setenv("PATH", (folder.string() + ":" + path).c_str(), 1);
}

Text EditorTest::OpenedUrls() {
    (void)QTest::qWaitFor([this] { return fs::exists(folder / "xdg-open.url"); });
    return testsupport::Slurp(folder / "xdg-open.url");
}

int EditorTest::RunEditor(Script& script) {
    static char name[] = "brondel", *argv[] = {name, nullptr};
    int status = -1;
    script.Run([&] { status = RunBrondel(1, argv); });
    return status;
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
