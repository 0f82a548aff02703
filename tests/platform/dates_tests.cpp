#include "platform/dates.h"

#include <gtest/gtest.h>

#include <cstdlib>

static int64_t At(int64_t y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return DateValue({y, mo, d, h, mi, s});
}

TEST(Dates, ValuesCountWallClockSecondsAsUtc) {
    EXPECT_EQ(At(1970, 1, 1), 0);
    EXPECT_EQ(At(2038, 1, 19, 3, 14, 7), 2147483647);
    EXPECT_EQ(At(2000, 3, 1), 951868800);
    EXPECT_EQ(At(2100, 3, 1) - At(2100, 2, 28), 86400); // 2100 is no leap year
    EXPECT_EQ(At(2000, 3, 1) - At(2000, 2, 28), 2 * 86400);
}

TEST(Dates, DatesAfter2038AreRight) {
    int64_t date = At(2040, 2, 29, 23, 59, 58);
    EXPECT_GT(date, INT32_MAX);
    EXPECT_EQ(DateText("%dd/%mm-%yyyy %hh:%ii:%ss", date), "29/02-2040 23:59:58");
    EXPECT_EQ(DateText("%dd/%mm-%yyyy", At(2106, 2, 7, 6, 28, 16)), "07/02-2106");
}

TEST(Dates, MaskTokensInAnyCaseAndInTheirOrder) {
    int64_t date = At(2026, 12, 6, 9, 5, 3);
    EXPECT_EQ(DateText("%dd/%mm-%yyyy", date), "06/12-2026");
    EXPECT_EQ(DateText("%DD.%MM.%YY", date), "06.12.26");
    EXPECT_EQ(DateText("%hh:%II:%sS", date), "09:05:03");
    EXPECT_EQ(DateText("%yyy", date), "26y"); // "yyyy" fails, "yy" matches
    EXPECT_EQ(DateText("100% %x", date), "100% %x");
    EXPECT_EQ(DateText("%", date), "%");
    EXPECT_EQ(DateText("(Compiled: %dd/%mm-%yyyy)", At(2027, 1, 1, 0, 0, 5)),
              "(Compiled: 01/01-2027)");
}

TEST(Dates, FieldsRoundTripOverCenturies) {
    for (int64_t date = -86400LL * 365 * 100; date < 86400LL * 365 * 300; date += 86400 * 37 + 3671) {
        DateFields f = DateFieldsOf(date);
        ASSERT_EQ(DateValue(f), date);
        ASSERT_GE(f.month, 1);
        ASSERT_LE(f.day, 31);
    }
}

TEST(Dates, CurrentDateIgnoresTheTimeZone) {
    // The same wall-clock moment gives the same value: the value read in two zones differs
    // from real UTC by exactly the zones' offsets.
    setenv("TZ", "UTC", 1);
    tzset();
    int64_t utc = CurrentDate();
    setenv("TZ", "Etc/GMT-5", 1); // five hours east of UTC
    tzset();
    int64_t east = CurrentDate();
    unsetenv("TZ");
    tzset();
    EXPECT_NEAR(static_cast<double>(east - utc), 5 * 3600, 2);
}
