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

#ifdef _WIN32 // the C runtime's own names, and its form of a zone five hours east of UTC
#define setenv(name, value, overwrite) _putenv_s(name, value)
#define unsetenv(name) _putenv_s(name, "")
constexpr const char* FiveHoursEast = "EKB-5";
#else
constexpr const char* FiveHoursEast = "Etc/GMT-5";
#endif

TEST(Dates, CurrentDateCountsTheWallClockWhateverTheTimeZone) {
    setenv("TZ", FiveHoursEast, 1);
    tzset();
    EXPECT_NEAR(static_cast<double>(CurrentDate() - std::time(nullptr)), 5 * 3600, 2);
    unsetenv("TZ");
    tzset();
}
