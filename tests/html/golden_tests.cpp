// Whole pages byte for byte: each chart of tests/html/golden, loaded as "Load Chart" loads it,
// must give exactly its golden page (see make_goldens.py there for how they were derived).
#include "document/chart_file.h"
#include "html_test.h"

using namespace htmltest;

namespace {

class GoldenPageTest : public HtmlTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(GoldenPageTest, PageEqualsGolden) {
    const Text name = GetParam();
    ASSERT_EQ(ReadChartFile(GoldenPath(name + ".kpv").string()), ChartFileStatus::Done);
    const Text golden = Slurp(GoldenPath(name + ".html"));
    ASSERT_FALSE(golden.empty());
    Text page = BuildChartPage();
    EXPECT_EQ(page.size(), golden.size());
    // Compare line by line first, so that a difference names its line.
    bool bom = golden.rfind("\xEF\xBB\xBF", 0) == 0;
    std::vector<Text> expected = CrLfLines(golden.substr(bom ? 3 : 0));
    std::vector<Text> actual = CrLfLines(page.substr(page.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0));
    ASSERT_EQ(actual.size(), 442u);
    for (size_t i = 0; i < expected.size() && i < actual.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
    EXPECT_TRUE(page == golden);
    EXPECT_EQ(bom, name == "escaped"); // the one chart with texts beyond ASCII
}

INSTANTIATE_TEST_SUITE_P(Charts, GoldenPageTest,
                         ::testing::Values("empty", "examples", "connectors_1", "connectors_2",
                                           "connectors_3", "connectors_4", "escaped"));

} // namespace
