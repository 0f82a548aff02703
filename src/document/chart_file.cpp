// The chart file: the Chart written as, and read back from, the 1066 lines of a ".kpv" file
// through the preference store. WriteChartFile shows the layout from top to bottom;
// ReadChartFile takes each group only when the file has it.
#include "chart_file.h"

#include "document/prefs.h"
#include "chart/chart.h"

namespace {

constexpr const char* MagicGroup = "KPVV10";
constexpr const char* FileComment = "Brondel file.";
constexpr const char* CommonGroup = "Common Settings";
constexpr const char* ProjectDirKey = "Last Project Dir";
constexpr const char* TextGroup = "Raw Chart Text";
constexpr const char* StyleGroup = "Raw Chart Text Styles";
constexpr const char* ColourGroup = "Raw Chart Box Colors";
constexpr const char* HConnectorGroup = "Raw Chart CheckBox Horizontally";
constexpr const char* VConnectorGroup = "Raw Chart CheckBox Vertically";
constexpr const char* ChartExtension = ".kpv";

// "L1-188", "S3-285", "H-0": a prefix and the slot number.
Text Key(const char* prefix, int line, int slot) {
    Text key = prefix;
    if (line > 0) key += DecimalText(line);
    key += '-';
    key += DecimalText(slot);
    return key;
}

SlotTable<int32_t>& ColourTable(int component) {
    static SlotTable<int32_t>* const tables[] = {&Red, &Green, &Blue};
    return *tables[component - 1];
}

// Bold, italic and underline come from the first, second and last character of the code.
void SetStyleFlags(int box, int line, const Text& code) {
    BoldTable(line)[box] = DecimalValue(TextLeft(code, 1));
    ItalicTable(line)[box] = DecimalValue(TextMid(code, 2, 1));
    UnderlineTable(line)[box] = DecimalValue(TextRight(code, 1));
}

} // namespace

const char* ChartFileMessage(ChartFileStatus status) {
    switch (status) {
    case ChartFileStatus::CannotCreate:
    case ChartFileStatus::WriteFailed:
        return SaveFailedMessage;
    case ChartFileStatus::CannotOpen:
        return LoadFailedMessage;
    case ChartFileStatus::NotAChart:
        return NotAChartMessage;
    case ChartFileStatus::Done:
        break;
    }
    return "";
}

Text ApplyChartExtension(const Text& path, PathRules rules) {
    size_t separator = LastPathSeparator(path, rules);
    size_t nameStart = separator == Text::npos ? 0 : separator + 1;
    size_t dot = path.find('.', nameStart);
    return (dot == Text::npos ? path : path.substr(0, dot)) + ChartExtension;
}

ChartFileStatus WriteChartFile(const Text& path) {
    if (!PrefCreate(path)) {
        PrefClose();
        return ChartFileStatus::CannotCreate;
    }
    LastProjectDir = PathFolder(path);
    PrefGroup(MagicGroup);
    PrefWriteComment(FileComment);
    PrefGroup(CommonGroup);
    PrefWriteValue(ProjectDirKey, LastProjectDir);

    PrefGroup(TextGroup);
    for (int line = 1; line <= 3; ++line)
        for (int box = FirstBox; box <= LastBox; ++box)
            PrefWriteValue(Key("L", line, box), LineTable(line)[box]);
    PrefGroup(StyleGroup);
    for (int line = 1; line <= 3; ++line)
        for (int box = FirstBox; box <= LastBox; ++box)
            PrefWriteValue(Key("S", line, box), StyleCode(box, line));
    PrefGroup(ColourGroup);
    for (int component = 1; component <= 3; ++component)
        for (int box = FirstBox; box <= LastBox; ++box)
            PrefWriteValue(Key("C", component, box), DecimalText(ColourTable(component)[box]));
    PrefGroup(HConnectorGroup);
    for (int h = FirstHConnector; h <= LastHConnector; ++h)
        PrefWriteValue(Key("H", 0, h), DecimalText(HConnector[h]));
    PrefGroup(VConnectorGroup);
    for (int v = FirstVConnector; v <= LastVConnector; ++v)
        PrefWriteValue(Key("V", 0, v), DecimalText(VConnector[v]));

    return PrefClose() ? ChartFileStatus::Done : ChartFileStatus::WriteFailed;
}

ChartFileStatus ReadChartFile(const Text& path) {
    if (!PrefOpen(path)) {
        PrefClose();
        return ChartFileStatus::CannotOpen;
    }
    LastProjectDir = PathFolder(path);
    if (!PrefGroup(MagicGroup)) {
        PrefClose();
        return ChartFileStatus::NotAChart;
    }

    // Missing lines empty a text; charts saved on Windows hold windows-1252 texts.
    if (PrefGroup(TextGroup))
        for (int line = 1; line <= 3; ++line)
            for (int box = FirstBox; box <= LastBox; ++box)
                LineTable(line)[box] = TextAsUtf8(PrefReadValue(Key("L", line, box)));
    // Missing lines keep a style.
    if (PrefGroup(StyleGroup))
        for (int line = 1; line <= 3; ++line)
            for (int box = FirstBox; box <= LastBox; ++box) {
                Text current = StyleCode(box, line);
                Text code = PrefReadValue(Key("S", line, box), current);
                if (code != current) SetStyleFlags(box, line, code);
            }
    // Missing lines and values that are not numbers give 0; nothing is clamped.
    if (PrefGroup(ColourGroup))
        for (int component = 1; component <= 3; ++component)
            for (int box = FirstBox; box <= LastBox; ++box)
                ColourTable(component)[box] = DecimalValue(PrefReadValue(Key("C", component, box)));
    if (PrefGroup(HConnectorGroup))
        for (int h = FirstHConnector; h <= LastHConnector; ++h)
            HConnector[h] = DecimalValue(PrefReadValue(Key("H", 0, h)));
    if (PrefGroup(VConnectorGroup))
        for (int v = FirstVConnector; v <= LastVConnector; ++v)
            VConnector[v] = DecimalValue(PrefReadValue(Key("V", 0, v)));

    PrefClose();
    return ChartFileStatus::Done;
}
