// The main window's grid: every gadget's number, kind, place, size and alignment, and the
// Tab order that follows from the order of creation.
#include "chart/chart.h"
#include "editor/editor.h"
#include "harness.h"
#include "platform/gui.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ReleaseAll();
        LoadProgramFonts();
        OpenMainWindow();
    }
    void TearDown() override { ReleaseAll(); }
};

struct Expected {
    int number, x, y, width, height;
};

void ExpectRect(const Expected& e) {
    GadgetBounds r = GadgetRect(e.number);
    EXPECT_EQ(r.x, e.x) << "gadget " << e.number;
    EXPECT_EQ(r.y, e.y) << "gadget " << e.number;
    EXPECT_EQ(r.width, e.width) << "gadget " << e.number;
    EXPECT_EQ(r.height, e.height) << "gadget " << e.number;
}

// The gadget whose rectangle holds the point, as a click there would find it.
int GadgetAt(int x, int y) {
    int found = -1;
    for (int n = 0; n <= 324; ++n) {
        if (KindOfGadget(n) == GadgetKind::None) continue;
        GadgetBounds r = GadgetRect(n);
        if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) {
            EXPECT_EQ(found, -1) << "gadgets " << found << " and " << n << " overlap at " << x
                                 << "," << y;
            found = n;
        }
    }
    return found;
}

} // namespace

TEST_F(MainWindowTest, WindowHasItsFixedClientSizeAndTitle) {
    auto* window = static_cast<QWidget*>(WindowWidget(MainWindow));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->width(), 989);
    EXPECT_EQ(window->height(), 715);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()); // not resizable
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(WindowCaption(MainWindow), WindowTitle);
}

TEST_F(MainWindowTest, BoxesStandOnTheGridWithTheRightColumnsOnePixelHigher) {
    for (const Expected& e : std::vector<Expected>{{188, 10, 9, 128, 40},
                                                   {191, 430, 9, 128, 40},
                                                   {192, 570, 8, 128, 40},
                                                   {194, 850, 8, 128, 40},
                                                   {195, 10, 60, 128, 20},
                                                   {201, 850, 60, 128, 20},
                                                   {202, 10, 90, 128, 40},
                                                   {206, 570, 89, 128, 40},
                                                   {279, 10, 640, 128, 40},
                                                   {285, 850, 639, 128, 40}})
        ExpectRect(e);
    int multiLine = 0;
    for (int box = FirstBox; box <= LastBox; ++box) {
        ASSERT_EQ(KindOfGadget(box), GadgetKind::Button) << box;
        if (GadgetFlags(box) & BS_MULTILINE)
            ++multiLine;
        else
            EXPECT_TRUE(IsNarrowBox(box)) << box;
    }
    EXPECT_EQ(multiLine, 91);
}

TEST_F(MainWindowTest, ConnectorCheckBoxesKeepTheirPlacesAndAlignmentExceptions) {
    for (const Expected& e : std::vector<Expected>{{0, 138, 21, 12, 20},
                                                   {1, 278, 20, 12, 20},
                                                   {5, 838, 20, 12, 20},
                                                   {6, 138, 61, 12, 20},
                                                   {12, 138, 101, 12, 20},
                                                   {83, 838, 650, 12, 20},
                                                   {90, 67, 48, 12, 12},
                                                   {97, 67, 78, 12, 12},
                                                   {104, 67, 128, 12, 12},
                                                   {108, 629, 128, 12, 12},
                                                   {111, 67, 178, 12, 12},
                                                   {117, 909, 178, 12, 12},
                                                   {122, 628, 228, 12, 12},
                                                   {180, 908, 628, 12, 12}})
        ExpectRect(e);
    std::map<uint32_t, std::vector<int>> byAlignment;
    for (int n = 0; n <= LastVConnector; ++n) {
        if (!IsHConnector(n) && !IsVConnector(n)) continue;
        ASSERT_EQ(KindOfGadget(n), GadgetKind::CheckBox) << n;
        byAlignment[GadgetFlags(n) & BS_CENTER].push_back(n);
    }
    EXPECT_EQ(byAlignment[BS_RIGHT],
              (std::vector<int>{5, 17, 23, 29, 35, 41, 47, 49, 53, 59, 65, 71, 77, 83, 95, 96}));
    EXPECT_EQ(byAlignment[BS_CENTER].size(), 175u - 16u);
}

TEST_F(MainWindowTest, CommandBarAndSwapIndicator) {
    struct Command {
        int number;
        const char* text;
        int x, width, font;
    };
    for (const Command& c : {Command{293, "About", 78, 60, 2},
                             {294, "New Chart", 150, 128, 2},
                             {295, "Load Chart", 290, 128, 2},
                             {296, "Save Chart", 430, 128, 2},
                             {297, "Redraw Chart", 570, 128, 2},
                             {298, "Generate Chart", 710, 128, 1},
                             {299, "Exit Brondel", 850, 128, 2}}) {
        ExpectRect({c.number, c.x, 690, c.width, 18});
        EXPECT_EQ(ReadGadgetText(c.number), c.text);
        auto* button = static_cast<QWidget*>(GadgetWidget(c.number));
        EXPECT_EQ(button->font().bold(), c.font == 1) << c.text;
    }
    ExpectRect({SwapIndicator, 10, 690, 63, 18});
    EXPECT_EQ(KindOfGadget(SwapIndicator), GadgetKind::Label);
    EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
    EXPECT_TRUE(static_cast<QWidget*>(GadgetWidget(SwapIndicator))->font().bold());
    for (int n : {84, 89, 181, 187, 286, 292, 300})
        EXPECT_EQ(KindOfGadget(n), GadgetKind::None) << n;
}

TEST_F(MainWindowTest, ConnectorsAreNamedByTheBoxesTheyJoin) {
    auto name = [](int n) {
        return static_cast<QWidget*>(GadgetWidget(n))->accessibleName().toStdString();
    };
    EXPECT_EQ(name(0), "Connector between row 1, column 1 and row 1, column 2");
    EXPECT_EQ(name(83), "Connector between row 14, column 6 and row 14, column 7");
    EXPECT_EQ(name(90), "Connector between row 1, column 1 and row 2, column 1");
    EXPECT_EQ(name(180), "Connector between row 13, column 7 and row 14, column 7");
}

TEST_F(MainWindowTest, PointsFindTheGadgetUnderThem) {
    EXPECT_EQ(GadgetAt(74, 28), 188);
    EXPECT_EQ(GadgetAt(144, 30), 0);
    EXPECT_EQ(GadgetAt(72, 52), 90);
    EXPECT_EQ(GadgetAt(74, 70), 195);
    EXPECT_EQ(GadgetAt(914, 660), 285);
}

TEST_F(MainWindowTest, TabFollowsTheOrderOfCreationAndWraps) {
    // Rows are created from the middle column outwards, and the vertical check boxes by
    // column groups; the first Tab stops show it.
    const std::vector<int> expectedStart = {195, 196, 197, 198, 199, 200, 201, 6, 7, 8,
                                            9,   10,  11,  0,   1,   2,   3,   4, 5, 205,
                                            204, 203, 202, 206, 207, 208, 12,  13};
    std::vector<int> seen;
    Script script;
    script.Call([] { static_cast<QWidget*>(GadgetWidget(195))->setFocus(); });
    for (size_t i = 1; i < expectedStart.size(); ++i) {
        script.PressTab();
        script.Call([&] { seen.push_back(FocusedGadget()); });
    }
    script.PressShiftTab().Call([&] { seen.push_back(FocusedGadget()); });
    script.Call([] { static_cast<QWidget*>(GadgetWidget(195))->setFocus(); })
        .PressShiftTab()
        .Call([&] { seen.push_back(FocusedGadget()); })
        .PressTab()
        .Call([&] { seen.push_back(FocusedGadget()); })
        .Quit();
    script.Run([] {
        LoadProgramFonts();
        OpenMainWindow();
        ActivateCurrentWindow();
        while (WaitEvent() != QuitEvent) {
        }
    });
    std::vector<int> expected(expectedStart.begin() + 1, expectedStart.end());
    expected.push_back(expectedStart[expectedStart.size() - 2]); // Shift+Tab goes back one
    expected.push_back(299); // from the first stop backwards to the last command button
    expected.push_back(195); // and forwards again to the first
    EXPECT_EQ(seen, expected);
}
