// Calendar arithmetic in days from the civil date (proleptic Gregorian), without time zones.
#include "dates.h"

#include <ctime>

static int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int64_t DateValue(const DateFields& f) {
    return DaysFromCivil(f.year, f.month, f.day) * 86400 + f.hour * 3600 + f.minute * 60 +
           f.second;
}

DateFields DateFieldsOf(int64_t date) {
    int64_t days = date >= 0 ? date / 86400 : -((-date + 86399) / 86400);
    int64_t seconds = date - days * 86400;
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    DateFields f;
    f.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    f.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    f.year = yoe + era * 400 + (f.month <= 2);
    f.hour = static_cast<int>(seconds / 3600);
    f.minute = static_cast<int>(seconds / 60 % 60);
    f.second = static_cast<int>(seconds % 60);
    return f;
}

int64_t CurrentDate() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return DateValue({local.tm_year + 1900LL, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec});
}

static Text TwoDigits(int64_t value) {
    Text digits = std::to_string(value);
    return digits.size() < 2 ? "0" + digits : digits;
}

static bool MatchesLetters(const Text& mask, size_t at, const char* letters) {
    for (size_t k = 0; letters[k]; ++k) {
        if (at + k >= mask.size()) return false;
        char c = mask[at + k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != letters[k]) return false;
    }
    return true;
}

Text DateText(const Text& mask, int64_t date) {
    const DateFields f = DateFieldsOf(date);
    const Text year = std::to_string(f.year);
    struct Token {
        const char* letters;
        Text value;
    };
    // "yyyy" comes before "yy", so four y always mean the four-digit year.
    const Token tokens[] = {{"yyyy", year},
                            {"yy", year.size() >= 4 ? year.substr(2, 2) : TwoDigits(f.year % 100)},
                            {"mm", TwoDigits(f.month)},
                            {"dd", TwoDigits(f.day)},
                            {"hh", TwoDigits(f.hour)},
                            {"ii", TwoDigits(f.minute)},
                            {"ss", TwoDigits(f.second)}};
    Text out;
    for (size_t i = 0; i < mask.size(); ++i) {
        bool replaced = false;
        if (mask[i] == '%') {
            for (const Token& token : tokens) {
                if (MatchesLetters(mask, i + 1, token.letters)) {
                    out += token.value;
                    i += std::char_traits<char>::length(token.letters);
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += mask[i];
    }
    return out;
}
