// Texts, numbers and colours: the exact formats that decide the bytes of chart files and pages,
// walked from the table in text_cases.tsv.
#include "platform/text.h"

#include "test_files.h"

#include <functional>
#include <map>

using Arguments = std::vector<Text>;

static int32_t N(const Text& text) { return static_cast<int32_t>(std::stoll(text)); }

static const std::map<Text, std::function<Text(const Arguments&)>> Operations = {
    {"DecimalText", [](const Arguments& a) { return DecimalText(N(a[0])); }},
    {"HexText", [](const Arguments& a) { return HexText(N(a[0])); }},
    {"DecimalValue", [](const Arguments& a) { return DecimalText(DecimalValue(a[0])); }},
    {"TextLeft", [](const Arguments& a) { return TextLeft(a[0], N(a[1])); }},
    {"TextMid", [](const Arguments& a) { return TextMid(a[0], N(a[1]), N(a[2])); }},
    {"TextRight", [](const Arguments& a) { return TextRight(a[0], N(a[1])); }},
    {"TextFind", [](const Arguments& a) { return DecimalText(TextFind(a[0], a[1], N(a[2]))); }},
    {"PathFolder", [](const Arguments& a) { return PathFolder(a[0]); }},
    {"RgbColour",
     [](const Arguments& a) { return DecimalText(RgbColour(N(a[0]), N(a[1]), N(a[2]))); }},
    {"RedOf", [](const Arguments& a) { return DecimalText(RedOf(N(a[0]))); }},
    {"GreenOf", [](const Arguments& a) { return DecimalText(GreenOf(N(a[0]))); }},
    {"BlueOf", [](const Arguments& a) { return DecimalText(BlueOf(N(a[0]))); }},
    {"IsValidUtf8", [](const Arguments& a) { return DecimalText(IsValidUtf8(a[0])); }},
    {"TextAsUtf8", [](const Arguments& a) { return TextAsUtf8(a[0]); }},
};

TEST(Text, OperationsGiveTheTabledResults) {
    for (const auto& row : testsupport::Cases("platform/text_cases.tsv")) {
        const Arguments arguments(row.begin() + 1, row.end() - 1);
        EXPECT_EQ(Operations.at(row[0])(arguments), row.back()) << row[0] << " " << row[1];
    }
}
