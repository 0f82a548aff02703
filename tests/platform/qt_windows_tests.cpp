// Numbered windows and their gadgets on Qt: the window styles and places the flags ask for,
// every kind of gadget with its flags as the screen shows it, texts, states, fonts, and
// numbers unique across windows.
#include "harness.h"

#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

QWidget* Window(int number) { return static_cast<QWidget*>(WindowWidget(number)); }

TEST(QtWindows, OpenWithTheStylesAndPlaceTheirFlagsAskFor) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    struct Case {
        uint32_t flags;
        int x, y, width, height;
        const char* expected; // visible, title, close box, minimise box, maximise box
    } cases[] = {
        {0xCA0001, 15, 0, 989, 715, "11110"},              // centred on the screen
        {0xC80000, 420, 376, 444, 110, "11100"},           // placed by its frame's corner
        {0, 5, 6, 100, 50, "11000"},                       // a title bar is added
        {WS_VISIBLE_BIT, 0, 0, 100, 50, "01000"},          // the visible bit inverts
        {0xC00001, 0, 0, screen.width() + 9, 30, "11000"}, // wider than the screen: at its edge
        {0xC00002, 0, 0, 101, 61, "11000"},                // centred on the active window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        ASSERT_NE(OpenAppWindow(7, c.x, c.y, c.width, c.height, c.flags, "Ærø"), 0);
        QWidget* window = Window(7);
        const Qt::WindowFlags flags = window->windowFlags();
        const std::string seen = {char('0' + window->isVisible()),
                                  char('0' + bool(flags & Qt::WindowTitleHint)),
                                  char('0' + bool(flags & Qt::WindowCloseButtonHint)),
                                  char('0' + bool(flags & Qt::WindowMinimizeButtonHint)),
                                  char('0' + bool(flags & Qt::WindowMaximizeButtonHint))};
        EXPECT_EQ(seen, c.expected);
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_EQ(window->size(), QSize(c.width, c.height));
        EXPECT_EQ(WindowCaption(7), "Ærø");
        const QSize outer = window->frameGeometry().size();
        QPoint place(c.x, c.y);
        if (c.flags & CENTRE_ON_SCREEN)
            place = {std::max(0, screen.width() / 2 - outer.width() / 2),
                     screen.height() / 2 - outer.height() / 2};
        if (c.flags & CENTRE_ON_ACTIVE) {
            const QRect active = Window(8)->frameGeometry();
            place = active.topLeft() + QPoint(active.width() / 2 - outer.width() / 2,
                                              active.height() / 2 - outer.height() / 2);
        }
        EXPECT_EQ(window->frameGeometry().topLeft(), screen.topLeft() + place);
        OpenAppWindow(8, 300, 200, 200, 100, 0, "the active window for the next case");
        QApplication::processEvents();
    }
    ReleaseAll();
}

TEST(QtWindows, GadgetsOfEveryKindShowTheirFlags) {
    const Handle bold = LoadNumberedFont(1, "Tahoma", 8, FONT_BOLD);
    OpenAppWindow(300, 0, 0, 400, 150, WS_CAPTION_BITS | WS_SYSMENU_BIT, "Gadgets");
    ASSERT_EQ(BeginGadgets(WindowHandle(300)), WindowHandle(300));
    AddButton(188, 10, 10, 128, 40, "", BS_MULTILINE);
    AddButton(309, 150, 10, 84, 20, "Make Bold", BS_PUSHLIKE | BS_CHECKBOX_AUTO);
    AddButton(322, 240, 10, 84, 20, "OK", BS_DEFPUSHBUTTON);
    SetGadgetFontHandle(322, bold);
    AddButton(321, 330, 10, 60, 20, "Cancel");
    AddCheckBox(0, 150, 40, 12, 20, "", BS_CENTER);
    AddCheckBox(90, 170, 40, 12, 12, "", BS_RIGHT);
    AddLabel(324, 10, 60, 63, 18, "Swap OFF", SS_CENTER | SUNKEN_EDGE);
    AddLabel(305, -9, 85, 50, 14, "LINE 1:", SS_RIGHT);
    AddLabel(308, 80, 60, 120, 14, "left");
    AddTextField(302, 44, 100, 134, 20, "Grüße € 😀", ES_CENTER);
    AddTextField(303, 200, 100, 100, 20, "plain", SUNKEN_EDGE);
    AddFrame(319, 183, 125, 42, 20, "", 2);
    AddFrame(320, 240, 125, 40, 20, "", 1);
    AddFrame(323, 300, 40, 90, 50, "Group", 0);
    SetGadgetFontHandle(-1, bold); // for gadgets made from now on
    AddFrame(325, 300, 125, 40, 20, "", 7);
    WriteGadgetState(309, 1);
    WriteGadgetState(0, 1);
    WriteGadgetState(90, 1);
    WriteGadgetState(321, 1); // no state: a plain push button
    EXPECT_TRUE(LooksLikeGolden(300, BRONDEL_PLATFORM_GOLDEN_DIR "/qt_gadgets.png"));

    EXPECT_EQ(ReadGadgetState(309) + ReadGadgetState(0) + ReadGadgetState(321), 2);
    EXPECT_EQ(ReadGadgetText(302), "Grüße € 😀");
    EXPECT_EQ(ReadGadgetText(323) + ReadGadgetText(324) + ReadGadgetText(0), "GroupSwap OFF");
    const Text longText(40000, 'x'); // nothing is cut
    WriteGadgetText(302, longText);
    EXPECT_EQ(ReadGadgetText(302), longText);
    const GadgetBounds label = GadgetRect(305);
    EXPECT_EQ((std::array{label.x, label.y, label.width, label.height}),
              (std::array{-9, 85, 50, 14}));
    EXPECT_EQ(GadgetFlags(90), BS_RIGHT);
    EXPECT_EQ(KindOfGadget(0), GadgetKind::CheckBox);
    EXPECT_TRUE(static_cast<QWidget*>(GadgetWidget(325))->font().bold());

    // A number is one gadget across all windows; closing a window forgets its gadgets.
    OpenAppWindow(301, 0, 0, 100, 100, 0, "Second");
    BeginGadgets(WindowHandle(301));
    AddButton(188, 5, 6, 30, 10, "moved");
    EXPECT_EQ(static_cast<QWidget*>(GadgetWidget(188))->window(), Window(301));
    CloseAppWindow(301);
    EXPECT_EQ(KindOfGadget(188), GadgetKind::None);
    ReleaseAll();
}

TEST(QtWindows, FontSizesArePixelsAt96DotsPerInchOfASansSerifFace) {
    struct Case {
        int points, pixels;
        uint32_t style;
        const char* looks; // bold, italic, underlined, struck out
    } cases[] = {{8, 11, FONT_BOLD, "1000"},
                 {7, 9, FONT_ITALIC | FONT_UNDERLINE, "0110"},
                 {10, 13, 0, "0000"},
                 {12, 16, FONT_STRIKEOUT, "0001"}};
    for (const Case& c : cases) {
        const QFont& font =
            *reinterpret_cast<const QFont*>(LoadNumberedFont(4, "Tahoma", c.points, c.style));
        const QFontInfo shown(font);
        EXPECT_EQ(shown.pixelSize(), c.pixels);
        EXPECT_EQ(std::string({char('0' + shown.bold()), char('0' + shown.italic()),
                               char('0' + font.underline()), char('0' + font.strikeOut())}),
                  c.looks);
        EXPECT_FALSE(shown.fixedPitch());
        EXPECT_EQ(FontHandle(4), reinterpret_cast<Handle>(&font))
            << "the number holds the last font";
    }
    EXPECT_FALSE(QFontInfo(*reinterpret_cast<const QFont*>(LoadNumberedFont(5, "No Such Face", 8)))
                     .fixedPitch());
    ReleaseAll();
    EXPECT_EQ(FontHandle(4), 0);
}

} // namespace
