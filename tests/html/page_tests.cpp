// Whole pages byte for byte: each chart of golden/, loaded as "Load Chart" loads it, gives
// exactly its page (golden/README.md tells what each chart holds and how the pages were made).
#include "document/chart_file.h"
#include "html_test.h"

using namespace htmltest;

TEST_F(HtmlTest, EveryGoldenChartGivesItsGoldenPage) {
    // One generation after another, the empty chart last: whatever a generation left behind
    // in the working tables would show in the next page.
    for (const Text name : {"examples", "connectors_1", "connectors_2", "connectors_3",
                            "connectors_4", "escaped", "edges", "empty"}) {
        ClearChart();
        ASSERT_EQ(ReadChartFile(GoldenPath(name + ".kpv")), ChartFileStatus::Done) << name;
        EXPECT_EQ(BuildChartPage(), Slurp(GoldenPath(name + ".html"))) << name;
    }
}
