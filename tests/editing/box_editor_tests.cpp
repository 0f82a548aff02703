// Box editor: its window, the live preview, the opening colour rules, and what OK, Delete,
// Cancel and close requests leave in the Chart.
#include "editing_test.h"

#include <QWidget>

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr int Field1 = 302, Field2 = 303, Field3 = 304;
constexpr int Bold1Toggle = 309, Italic1Toggle = 310, Underline1Toggle = 311;
constexpr int ColourButton = 318, DeleteButton = 320, CancelButton = 321, OkButton = 322;
constexpr int Box = 205; // row 2, column 3

QWidget* Widget(int gadget) { return static_cast<QWidget*>(GadgetWidget(gadget)); }

void SetColour(int box, int red, int green, int blue) {
    Red[box] = red;
    Green[box] = green;
    Blue[box] = blue;
}

std::array<int32_t, 3> ColourOf(int box) { return {Red[box], Green[box], Blue[box]}; }

using Colour = std::array<int32_t, 3>;

// Pixels inside a Box that are not its fill: the drawn text.
int InkInBox(int box) {
    const uint32_t fill = Opaque(RgbColour(Red[box], Green[box], Blue[box]));
    int ink = 0;
    for (int y = 1; y <= 37; ++y)
        for (int x = 1; x <= 125; ++x) ink += BoxPixel(box, x, y) != fill;
    return ink;
}

uint32_t SwatchPixel(int x, int y) { return CanvasPixel(BoxEditorWindow, x, y); }

} // namespace

TEST_F(EditorTest, EditorWindowHoldsItsGadgetsInTabOrder) {
    struct Expected {
        int number;
        GadgetKind kind;
        int x, y, width, height;
        const char* text;
        uint32_t flags;
        bool bold;
    };
    const Expected gadgets[] = {
        {302, GadgetKind::TextField, 44, 22, 134, 20, "", ES_CENTER, false},
        {303, GadgetKind::TextField, 44, 42, 134, 20, "", ES_CENTER, false},
        {304, GadgetKind::TextField, 44, 62, 134, 20, "", ES_CENTER, false},
        {305, GadgetKind::Label, -9, 24, 50, 14, "LINE 1:", SS_RIGHT, true},
        {306, GadgetKind::Label, -9, 44, 50, 14, "LINE 2:", SS_RIGHT, true},
        {307, GadgetKind::Label, -9, 64, 50, 14, "LINE 3:", SS_RIGHT, true},
        {308, GadgetKind::Label, 1, 3, 212, 14, "Text should not exceed outside textbox!",
         SS_CENTER, false},
        {309, GadgetKind::Button, 183, 22, 84, 20, "Make Bold", 0x1003, false},
        {310, GadgetKind::Button, 269, 22, 84, 20, "Make Italic", 0x1003, false},
        {311, GadgetKind::Button, 355, 22, 84, 20, "Make Underline", 0x1003, false},
        {318, GadgetKind::Button, 45, 85, 132, 20, "Change Background Color", 0, false},
        {319, GadgetKind::Frame, 183, 85, 42, 20, "", 2, false},
        {312, GadgetKind::Button, 183, 42, 84, 20, "Make Bold", 0x1003, false},
        {313, GadgetKind::Button, 269, 42, 84, 20, "Make Italic", 0x1003, false},
        {314, GadgetKind::Button, 355, 42, 84, 20, "Make Underline", 0x1003, false},
        {315, GadgetKind::Button, 183, 62, 84, 20, "Make Bold", 0x1003, false},
        {316, GadgetKind::Button, 269, 62, 84, 20, "Make Italic", 0x1003, false},
        {317, GadgetKind::Button, 355, 62, 84, 20, "Make Underline", 0x1003, false},
        {321, GadgetKind::Button, 269, 85, 84, 20, "Cancel", 0, false},
        {322, GadgetKind::Button, 355, 85, 84, 20, "OK", BS_DEFPUSHBUTTON, true},
        {320, GadgetKind::Button, 227, 85, 40, 20, "Delete", 0, false},
    };
    std::vector<int> focusOrder;
    Script script;
    script.Call([&] {
        EXPECT_EQ(WindowCaption(BoxEditorWindow), "Edit Field");
        auto* window = static_cast<QWidget*>(WindowWidget(BoxEditorWindow));
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->size(), QSize(444, 110));
        EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(420, 376));
        EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
        for (const Expected& g : gadgets) {
            SCOPED_TRACE("gadget " + std::to_string(g.number));
            const GadgetBounds r = GadgetRect(g.number);
            EXPECT_EQ(KindOfGadget(g.number), g.kind);
            EXPECT_EQ((std::array<int, 4>{r.x, r.y, r.width, r.height}),
                      (std::array<int, 4>{g.x, g.y, g.width, g.height}));
            EXPECT_EQ(GadgetFlags(g.number), g.flags);
            if (g.kind != GadgetKind::TextField) {
                EXPECT_EQ(ReadGadgetText(g.number), g.text);
            }
            if (g.kind != GadgetKind::Frame) {
                EXPECT_EQ(Widget(g.number)->font().bold(), g.bold);
            }
        }
    });
    // Tab walks the gadgets that take the focus in creation order.
    for (int i = 0; i < 16; ++i)
        script.PressTab().Call([&] { focusOrder.push_back(FocusedGadget()); });
    script.ClickGadget(CancelButton);
    EditWithScript(script, Box);

    const std::vector<int> tabStops{302, 303, 304, 309, 310, 311, 318, 312,
                                    313, 314, 315, 316, 317, 321, 322, 320};
    ASSERT_EQ(focusOrder.size(), tabStops.size());
    const auto start = std::find(tabStops.begin(), tabStops.end(), focusOrder.front());
    ASSERT_NE(start, tabStops.end());
    std::vector<int> rotated(start, tabStops.end());
    rotated.insert(rotated.end(), tabStops.begin(), start);
    EXPECT_EQ(focusOrder, rotated);
}

TEST_F(EditorTest, EveryKeystrokeShowsOnTheMainWindow) {
    const Text word = "Sales";
    int lastInk = 0;
    Script script;
    script.Call([&] { lastInk = InkInBox(Box); });
    for (size_t n = 1; n <= word.size(); ++n)
        script.TypeText(Field1, word.substr(n - 1, 1)).Call([&, n] {
            EXPECT_EQ(Line1[Box], word.substr(0, n));
            const int ink = InkInBox(Box);
            EXPECT_GT(ink, lastInk) << "after keystroke " << n;
            lastInk = ink;
        });
    script.TypeText(Field3, "Q").ClickGadget(OkButton);
    EditWithScript(script, Box, [] { EXPECT_EQ(CurrentWindow(), MainWindow); });
    EXPECT_EQ(Line1[Box], "Sales");
    EXPECT_EQ(Line3[Box], "Q");
    EXPECT_EQ(ColourOf(Box), (Colour{191, 227, 252})) << "the row default colour stays";
    EXPECT_EQ(WindowHandle(BoxEditorWindow), 0);
}

TEST_F(EditorTest, UncolouredBoxOpensWithItsRowDefaultColourAndCancelTakesItAway) {
    const struct {
        int box;
        Colour colour;
    } rows[] = {
        {190, {227, 222, 188}},
        {197, {125, 196, 245}},
        {205, {191, 227, 252}},
        {250, {226, 234, 249}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.box);
        ResetEditor();
        const uint32_t expected = Opaque(RgbColour(row.colour[0], row.colour[1], row.colour[2]));
        Script script;
        script.Call([&] {
            EXPECT_EQ(ColourOf(row.box), row.colour);
            // The swatch fills the frame's inside, 40 x 18 from (184, 86).
            EXPECT_EQ(SwatchPixel(184, 86), expected);
            EXPECT_EQ(SwatchPixel(223, 103), expected);
            EXPECT_NE(SwatchPixel(183, 86), expected);
            EXPECT_NE(SwatchPixel(224, 104), expected);
            EXPECT_EQ(BoxPixel(row.box, 5, 5), expected);
        });
        script.ClickGadget(CancelButton);
        EditWithScript(script, row.box);
        EXPECT_EQ(ColourOf(row.box), (Colour{0, 0, 0}));
    }
}

TEST_F(EditorTest, OkOnAnEmptiedBoxRemovesOnlyAColourOfThreeNonZeroParts) {
    const struct {
        Colour opening, after;
    } cases[] = {
        {{10, 20, 30}, {0, 0, 0}},
        {{255, 0, 0}, {255, 0, 0}},
    };
    for (const auto& c : cases) {
        ResetEditor();
        Line1[Box] = "Gone";
        SetColour(Box, c.opening[0], c.opening[1], c.opening[2]);
        Script script;
        script.ClearText(Field1).ClickGadget(OkButton);
        EditWithScript(script, Box, [] {
            // The Box's gadget was shown again and repaints itself as a plain button.
            RepaintNow(MainWindow);
            EXPECT_EQ(BoxPixel(Box, 5, 5) >> 24, 0u);
        });
        EXPECT_TRUE(IsEmptyBox(Box));
        EXPECT_EQ(ColourOf(Box), c.after);
    }
    // An uncoloured Box received its row default colour at opening, which OK takes away.
    ResetEditor();
    Script script;
    script.ClickGadget(OkButton);
    EditWithScript(script, 230);
    EXPECT_EQ(ColourOf(230), (Colour{0, 0, 0}));
}

TEST_F(EditorTest, DeleteEmptiesTheBoxAndLeavesTheColourByTheOkRule) {
    const struct {
        Colour opening, after;
    } cases[] = {
        {{10, 20, 30}, {0, 0, 0}},
        {{255, 0, 0}, {191, 227, 252}}, // the row default colour that Delete gave
    };
    for (const auto& c : cases) {
        ResetEditor();
        for (int line = 1; line <= 3; ++line) {
            LineTable(line)[Box] = "Line " + std::to_string(line);
            BoldTable(line)[Box] = ItalicTable(line)[Box] = UnderlineTable(line)[Box] = 1;
        }
        SetColour(Box, c.opening[0], c.opening[1], c.opening[2]);
        Script script;
        script.ClickGadget(DeleteButton);
        EditWithScript(script, Box);
        EXPECT_TRUE(IsEmptyBox(Box));
        for (int line = 1; line <= 3; ++line)
            EXPECT_EQ(BoldTable(line)[Box] + ItalicTable(line)[Box] + UnderlineTable(line)[Box], 0);
        EXPECT_EQ(ColourOf(Box), c.after);
        EXPECT_EQ(WindowHandle(BoxEditorWindow), 0);
    }
}

TEST_F(EditorTest, NewColourShowsAtOnceAndSurvivesCancel) {
    Line1[Box] = "Keep";
    Bold1[Box] = 1;
    SetColour(Box, 10, 20, 30);
    const int32_t picked = RgbColour(200, 100, 50);
    Script script;
    script.ClickGadget(ColourButton).AnswerColour(picked).Call([&] {
        EXPECT_EQ(ColourOf(Box), (Colour{200, 100, 50}));
        EXPECT_EQ(SwatchPixel(184, 86), Opaque(picked));
        EXPECT_EQ(SwatchPixel(223, 102), Opaque(picked));
        // The swatch is repainted one row short: the bottom row keeps the opening colour.
        EXPECT_EQ(SwatchPixel(223, 103), Opaque(RgbColour(10, 20, 30)));
        EXPECT_EQ(BoxPixel(Box, 5, 5), Opaque(picked));
    });
    script.ClickGadget(CancelButton);
    EditWithScript(script, Box);
    EXPECT_EQ(Line1[Box], "Keep");
    EXPECT_EQ(Bold1[Box], 1);
    EXPECT_EQ(ColourOf(Box), (Colour{200, 100, 50}));
}

TEST_F(EditorTest, CancelAfterEmptyingALineRestoresItsTextStylesAndTheOpeningColour) {
    Line1[Box] = "Keep";
    Bold1[Box] = 1;
    SetColour(Box, 10, 20, 30);
    Script script;
    script.ClickGadget(ColourButton)
        .AnswerColour(RgbColour(200, 100, 50))
        .ClearText(Field1)
        .ClickGadget(Bold1Toggle)
        .ClickGadget(Italic1Toggle)
        .TypeText(Field2, "More")
        .Call([] {
            EXPECT_EQ(Line1[Box], "");
            EXPECT_EQ(Line2[Box], "More");
            EXPECT_EQ(Bold1[Box], 0);
            EXPECT_EQ(Italic1[Box], 1);
        })
        .ClickGadget(CancelButton);
    EditWithScript(script, Box);
    EXPECT_EQ(Line1[Box], "Keep");
    EXPECT_EQ(Line2[Box], "");
    EXPECT_EQ(Bold1[Box], 1);
    EXPECT_EQ(Italic1[Box], 0);
    EXPECT_EQ(ColourOf(Box), (Colour{10, 20, 30}));
}

TEST_F(EditorTest, PureBlackIsStoredAsRedOneAndACancelledRequesterChangesNothing) {
    Line1[Box] = "Dark";
    Script script;
    script.ClickGadget(ColourButton)
        .AnswerColour(0)
        .ClickGadget(ColourButton)
        .AnswerColour(-1)
        .ClickGadget(OkButton);
    EditWithScript(script, Box);
    EXPECT_EQ(ColourOf(Box), (Colour{1, 0, 0}));
    EXPECT_EQ(script.Requests().size(), 2u);
}

TEST_F(EditorTest, StyleFlagsOutsideZeroAndOneOpenWithTogglesUpAndEndAsZero) {
    for (int closer : {OkButton, CancelButton}) {
        SCOPED_TRACE(closer);
        ResetEditor();
        Line1[Box] = "Odd";
        Bold1[Box] = 2;
        Underline1[Box] = 1;
        Line3[Box] = "Fine";
        Bold3[Box] = Underline3[Box] = 1;
        Script script;
        script.Call([] {
            for (int toggle = Bold1Toggle; toggle <= Underline1Toggle; ++toggle)
                EXPECT_EQ(ReadGadgetState(toggle), 0);
            EXPECT_EQ(ReadGadgetState(315) + ReadGadgetState(317), 2) << "\"101\" of line 3";
            EXPECT_EQ(ReadGadgetState(316), 0);
            EXPECT_EQ(Bold1[Box] + Underline1[Box], 0) << "the flags follow the toggles at once";
        });
        script.ClickGadget(closer);
        EditWithScript(script, Box);
        EXPECT_EQ(Bold1[Box] + Italic1[Box] + Underline1[Box], 0);
        EXPECT_EQ(Bold3[Box] + Underline3[Box], 2);
        EXPECT_EQ(Line1[Box], "Odd");
    }
}

TEST_F(EditorTest, NarrowRowBoxEditsLineOneOnly) {
    const int narrow = 197;
    Line1[narrow] = "Title";
    Line2[narrow] = "from a file";
    Bold2[narrow] = 1;
    Line3[narrow] = "three";
    Script script;
    script.Call([] {
        for (int gadget : {303, 304, 306, 307, 312, 313, 314, 315, 316, 317})
            EXPECT_FALSE(Widget(gadget)->isVisible()) << gadget;
        for (int gadget : {302, 305, 309, 310, 311}) EXPECT_TRUE(Widget(gadget)->isVisible());
        EXPECT_EQ(ReadGadgetText(Field1), "Title");
        EXPECT_EQ(NarrowRowEdit, 1);
    });
    script.TypeText(Field1, "!").ClickGadget(Underline1Toggle).ClickGadget(OkButton);
    EditWithScript(script, narrow);
    EXPECT_EQ(Line1[narrow], "Title!");
    EXPECT_EQ(Underline1[narrow], 1);
    EXPECT_EQ(Line2[narrow], "from a file");
    EXPECT_EQ(Bold2[narrow], 1);
    EXPECT_EQ(Line3[narrow], "three");
    EXPECT_EQ(NarrowRowEdit, 0);
}

TEST_F(EditorTest, EditorCloseBoxActsAsCancel) {
    Line1[Box] = "Keep";
    Script script;
    script.TypeText(Field1, "X")
        .Call([] { EXPECT_EQ(Line1[Box], "KeepX"); })
        .CloseWindow(BoxEditorWindow);
    EditWithScript(script, Box);
    EXPECT_EQ(Line1[Box], "Keep");
    EXPECT_EQ(WindowHandle(BoxEditorWindow), 0);
}

// Through the whole program: the main window's close box cancels the edit and does not ask
// about exiting; the main window's gadgets do nothing while the editor is open, and the refresh
// after it closes sets back a check box ticked meanwhile.
TEST_F(EditorTest, MainWindowWaitsWhileTheEditorIsOpen) {
    Script script;
    script
        .Call([] {
            Line1[Box] = "Keep";
            RefreshChart();
        })
        .ClickGadget(Box)
        .TypeText(Field1, "X")
        .CloseWindow(MainWindow)
        .Call([] {
            EXPECT_EQ(WindowHandle(BoxEditorWindow), 0);
            EXPECT_NE(WindowHandle(MainWindow), 0);
            EXPECT_EQ(Line1[Box], "Keep");
        })
        .ClickGadget(202)
        .ClickGadget(12) // a connector check box ...
        .ClickGadget(203)
        .ClickGadget(297)
        .PressF1()
        .RightClick(204)
        .Call([] {
            EXPECT_EQ(ReadGadgetState(12), 1); // ... ticks on screen
            EXPECT_EQ(HConnector[12], 0);
            EXPECT_EQ(CurrentBox, 202);
            EXPECT_NE(WindowHandle(BoxEditorWindow), 0);
            EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
        })
        .TypeText(Field1, "A")
        .ClickGadget(OkButton)
        .Call([] {
            EXPECT_EQ(ReadGadgetState(12), 0);
            EXPECT_EQ(HConnector[12], 0);
            EXPECT_EQ(Line1[202], "A");
            EXPECT_EQ(Line1[203], "");
        })
        .Quit();
    static char name[] = "brondel";
    static char* argv[] = {name, nullptr};
    script.Run([] { RunBrondel(1, argv); });
    EXPECT_TRUE(script.Requests().empty()) << "the exit question was asked";
}
