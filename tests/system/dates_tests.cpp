// Dates: 64-bit seconds of the wall clock counted as UTC, and masks filled in from them.
#include "system/dates.h"

#include "test_files.h"

#include <cstdlib>

TEST(Dates, ValuesAndMasksGiveTheTabledResults) {
    for (const auto& row : testsupport::Cases("system/date_cases.tsv")) {
        DateFields f{};
        std::istringstream(row[0]) >> f.year >> f.month >> f.day >> f.hour >> f.minute >> f.second;
        EXPECT_EQ(DateValue(f), std::stoll(row[1])) << row[0];
        EXPECT_EQ(DateText(row[2], std::stoll(row[1])), row[3]) << row[0];
    }
}

TEST(Dates, CurrentDateCountsTheWallClockWhateverTheTimeZone) {
    setenv("TZ", "Etc/GMT-5", 1); // five hours east of UTC
    tzset();
    EXPECT_NEAR(static_cast<double>(CurrentDate() - std::time(nullptr)), 5 * 3600, 2);
    unsetenv("TZ");
    tzset();
}
