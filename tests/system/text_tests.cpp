// Texts, numbers and colours: the exact formats that decide the bytes of chart files and pages,
// walked from the table in text_cases.tsv.
#include "document/chart_file.h"
#include "system/start_program.h"
#include "system/text.h"

#include "test_files.h"

#include <functional>
#include <map>

static int32_t N(const Text& text) { return static_cast<int32_t>(std::stoll(text)); }
// Path rules by name: Windows paths are checked on any machine, so a slip in them shows here.
static PathRules Rules(const Text& name) { return name == "windows" ? WindowsPaths : PosixPaths; }

static const std::map<Text, std::function<Text(const std::vector<Text>&)>> Operations = {
    {"DecimalText", [](auto& a) { return DecimalText(N(a[0])); }},
    {"HexText", [](auto& a) { return HexText(N(a[0])); }},
    {"DecimalValue", [](auto& a) { return DecimalText(DecimalValue(a[0])); }},
    {"TextLeft", [](auto& a) { return TextLeft(a[0], N(a[1])); }},
    {"TextMid", [](auto& a) { return TextMid(a[0], N(a[1]), N(a[2])); }},
    {"TextRight", [](auto& a) { return TextRight(a[0], N(a[1])); }},
    {"TextFind", [](auto& a) { return DecimalText(TextFind(a[0], a[1], N(a[2]))); }},
    {"PathFolder", [](auto& a) { return PathFolder(a[0]); }},
    {"PathFolderBy", [](auto& a) { return PathFolder(a[1], Rules(a[0])); }},
    {"ChartExtension", [](auto& a) { return ApplyChartExtension(a[1], Rules(a[0])); }},
    {"IsAbsolutePath", [](auto& a) { return DecimalText(IsAbsolutePath(a[1], Rules(a[0]))); }},
    {"WorkingFolder", [](auto& a) { return StartProgramWorkingFolder(a[1], "", Rules(a[0])); }},
    {"RgbColour", [](auto& a) { return DecimalText(RgbColour(N(a[0]), N(a[1]), N(a[2]))); }},
    {"RedOf", [](auto& a) { return DecimalText(RedOf(N(a[0]))); }},
    {"GreenOf", [](auto& a) { return DecimalText(GreenOf(N(a[0]))); }},
    {"BlueOf", [](auto& a) { return DecimalText(BlueOf(N(a[0]))); }},
    {"IsValidUtf8", [](auto& a) { return DecimalText(IsValidUtf8(a[0])); }},
    {"TextAsUtf8", [](auto& a) { return TextAsUtf8(a[0]); }},
};

TEST(Text, OperationsGiveTheTabledResults) {
    for (const auto& row : testsupport::Cases("system/text_cases.tsv")) {
        const std::vector<Text> arguments(row.begin() + 1, row.end() - 1);
        EXPECT_EQ(Operations.at(row[0])(arguments), row.back()) << row[0] << " " << row[1];
    }
}
