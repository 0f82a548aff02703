// Dates: seconds since 1970-01-01 of the local wall-clock calendar counted as UTC, in 64 bits
// so that dates after 2038 stay right.
#pragma once
#include "text.h"

#include <cstdint>

struct DateFields {
    int64_t year;
    int month, day, hour, minute, second;
};

int64_t DateValue(const DateFields& fields); // fields counted as UTC
DateFields DateFieldsOf(int64_t date);
int64_t CurrentDate();                        // the local date and time now, to the second
Text DateText(const Text& mask, int64_t date); // %yyyy %yy %mm %dd %hh %ii %ss, any letter case
