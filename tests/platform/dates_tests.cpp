// Dates: 64-bit seconds of the wall clock counted as UTC, and masks filled in from them.
#include "platform/dates.h"

#include "test_files.h"

#include <cstdlib>

TEST(Dates, ValuesAndMasksGiveTheTabledResults) {
    for (const auto& row : testsupport::Cases("platform/date_cases.tsv")) {
        DateFields f{};
        std::istringstream(row[0]) >> f.year >> f.month >> f.day >> f.hour >> f.minute >> f.second;
        EXPECT_EQ(DateValue(f), std::stoll(row[1])) << row[0];
        EXPECT_EQ(DateText(row[2], std::stoll(row[1])), row[3]) << row[0];
    }
}

TEST(Dates, CurrentDateCountsTheWallClockWhateverTheTimeZone) {
#ifdef _WIN32 // the C runtime's own form of a zone five hours east of UTC
    _putenv_s("TZ", "EKB-5");
    _tzset();
#else
    setenv("TZ", "Etc/GMT-5", 1);
    tzset();
#endif
    EXPECT_NEAR(static_cast<double>(CurrentDate() - std::time(nullptr)), 5 * 3600, 2);
#ifdef _WIN32
    _putenv_s("TZ", "");
    _tzset();
#else
    unsetenv("TZ");
    tzset();
#endif
}
