// The editor's "Generate Chart" command with the real platform layer: its two messages, the
// page handed to the desktop after success only, and a desktop that refuses the page.
#include "editor/editor.h"
#include "html_test.h"
#include "platform/gui.h"
#include "platform/start_program.h"

using namespace htmltest;

namespace {

class GenerateChartTest : public HtmlTest {
  protected:
    void SetUp() override {
        HtmlTest::SetUp();
        SetRequesterHook([this](const RequesterCall& call) {
            messages.push_back(call);
            return RequesterAnswer{IDOK, {}};
        });
        SetDesktopOpener([this](const Text& file, const Text& folder) {
            opened.push_back({file, folder});
            return desktopTakesIt;
        });
    }
    void TearDown() override {
        SetRequesterHook(nullptr);
        SetDesktopOpener(nullptr);
        HtmlTest::TearDown();
    }
    void ExpectOneError(const char* text) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].kind, "message");
        EXPECT_EQ(messages[0].caption, "Error!");
        EXPECT_EQ(messages[0].text, text);
        EXPECT_EQ(messages[0].flags, 0u); // OK only, no icon
    }
    std::vector<RequesterCall> messages;
    std::vector<std::pair<Text, Text>> opened;
    bool desktopTakesIt = true;
};

TEST_F(GenerateChartTest, WithoutAChartFileItAsksForOne) {
    GenerateChart();
    ExpectOneError("You need to LOAD or SAVE a CHART first!");
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(GenerateChartTest, WrittenPageIsOpenedWithoutAWord) {
    SetBox(BoxOf(0, 0), {"Sales"}, {"100"}, 227, 222, 188);
    ChartFileName = Path("staff.kpv");
    GenerateChart();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, Path("staff.html"));
    EXPECT_EQ(opened[0].second, dir.string() + "/");
    EXPECT_EQ(Slurp(Path("staff.html")), BuildChartPage());
    EXPECT_EQ(ChartFileName, Path("staff.kpv")); // the Chart's name is left as it was
    EXPECT_EQ(Line1[BoxOf(0, 0)], "Sales");

    // A desktop that cannot open the page is not the generator's failure to report.
    desktopTakesIt = false;
    GenerateChart();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(GenerateChartTest, APageThatCannotBeWrittenIsReportedAndNotOpened) {
    ChartFileName = Path("gone/staff.kpv");
    GenerateChart();
    ExpectOneError("Could not generate chart. File already open or damaged?");
    EXPECT_TRUE(opened.empty());
}

} // namespace
