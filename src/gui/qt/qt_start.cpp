// Start and end of the Qt platform layer: the application object, the look that every window
// shares, the fonts, and the release of everything at the end.
#include "qt_state.h"
#include "system/files.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QSvgRenderer>

#include <cstring>
#include <vector>

namespace qtlayer {

PlatformState& State() {
    static PlatformState state;
    return state;
}

namespace {

// The program's icon: two boxes of a chart linked by a black line (data/brondel.svg).
QIcon ProgramIcon() {
    QSvgRenderer picture(QStringLiteral(":/brondel/brondel.svg"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 96, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        picture.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// QApplication keeps a reference to argc and uses argv for its whole life: keep copies that
// live as long as the process. The options it took out of the copies go out of argc and argv
// too, so the program sees only its own arguments.
void CreateApplication(int& argc, char** argv) {
    ApplicationArguments& arguments = State().arguments;
    int& appArgc = arguments.count;
    std::vector<std::vector<char>>& storage = arguments.storage;
    std::vector<char*>& appArgv = arguments.pointers;
    for (int i = 0; i < argc; ++i)
        storage.emplace_back(argv[i], argv[i] + std::strlen(argv[i]) + 1);
    if (storage.empty()) storage.push_back({'b', 'r', 'o', 'n', 'd', 'e', 'l', '\0'});
    for (auto& arg : storage) appArgv.push_back(arg.data());
    appArgc = static_cast<int>(storage.size());
    appArgv.push_back(nullptr);
    CreateFittingApplication(appArgc, appArgv.data()); // lives until the process ends
    if (argc <= 0 || !argv) return;
    int kept = 0;
    for (int i = 0; i < appArgc; ++i)
        for (int original = 0; original < argc; ++original)
            if (appArgv[i] == storage[original].data()) argv[kept++] = argv[original];
    argc = kept;
    argv[argc] = nullptr;
}

void PrepareOnce() {
    QStyle* style = CreatePlatformStyle();
    QApplication::setStyle(style);
    QApplication::setPalette(FixedPalette());
    QApplication::setWindowIcon(ProgramIcon());
    PrepareFonts();
    PrepareRequesters();
    InstallInputFilter();
    FollowAssistiveTools();
}

} // namespace
} // namespace qtlayer

using namespace qtlayer;

void PreparePlatform(int& argc, char** argv) {
    PlatformState& state = State();
    if (!qApp) CreateApplication(argc, argv);
    TakeProgramDir(argc > 0 && argv ? argv[0] : "");
    if (!state.prepared) {
        PrepareOnce();
        state.prepared = true;
    }
    state.defaultGadgetFont = state.stockGadgetFont;
    ResetEvents();
}

void ReleaseAll() {
    PlatformState& state = State();
    std::vector<int> numbers;
    for (const auto& [number, entry] : state.windows) numbers.push_back(number);
    for (auto it = numbers.rbegin(); it != numbers.rend(); ++it) CloseAppWindow(*it);
    FreeMenus();
    FreeFonts();
    CloseAllFiles();
    state.defaultGadgetFont = state.stockGadgetFont;
    Events().queue.clear();
    state.currentWindow = -1;
    state.gadgetParent = -1;
}
