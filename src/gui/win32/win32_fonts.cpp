// Numbered fonts. Sizes in points are turned into pixels at 96 dots per inch whatever the
// screen's scaling (8 pt = 11 px, 7 pt = 9 px), so that the fixed layout always fits its text.
// Controls draw with the font as asked; the canvas draws with a twin of it smoothed in grey
// (never in colour fringes), which it blends itself.
#include "win32_state.h"

#include <unordered_map>

namespace win32layer {
namespace {

const wchar_t* const Tahoma = L"Tahoma";
constexpr int DotsPerInch = 96, PointsPerInch = 72;

// The nearest integer, halves away from zero.
int PixelsOf(int points) {
    const int scaled = points * DotsPerInch;
    return (scaled + (scaled >= 0 ? PointsPerInch / 2 : -PointsPerInch / 2)) / PointsPerInch;
}

HFONT MakeFont(const Text& face, int points, uint32_t style) {
    LOGFONTW font{};
    const int pixels = PixelsOf(points < 0 ? -points : points);
    font.lfHeight = -(pixels > 0 ? pixels : PixelsOf(8)); // the em, not the cell, as on Linux
    font.lfWeight = style & FONT_BOLD ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (style & FONT_ITALIC) != 0;
    font.lfUnderline = (style & FONT_UNDERLINE) != 0;
    font.lfStrikeOut = (style & FONT_STRIKEOUT) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = style & FONT_PROOF ? PROOF_QUALITY : DEFAULT_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const std::wstring name = face.empty() ? std::wstring(Tahoma) : WideText(face);
    lstrcpynW(font.lfFaceName, name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

std::unordered_map<HFONT, HFONT>& CanvasTwins() {
    static std::unordered_map<HFONT, HFONT> twins;
    return twins;
}

} // namespace

void PrepareFonts() {
    State().stockGadgetFont = MakeFont("Tahoma", 8, 0);
    State().defaultGadgetFont = State().stockGadgetFont;
}

HFONT FontOfHandle(Handle handle) {
    if (handle == -1) return State().stockGadgetFont;
    for (const auto& [number, font] : State().fonts)
        if (reinterpret_cast<Handle>(font) == handle) return font;
    return nullptr;
}

HFONT SystemFont() {
    static const HFONT font = MakeFont("Tahoma", 10, FONT_BOLD);
    return font;
}

HFONT CanvasTwinOf(HFONT font) {
    auto [it, added] = CanvasTwins().try_emplace(font, nullptr);
    if (added) {
        LOGFONTW description{};
        GetObjectW(font, sizeof description, &description);
        description.lfQuality = ANTIALIASED_QUALITY;
        it->second = CreateFontIndirectW(&description);
    }
    return it->second;
}

// Called once the windows are closed: no control holds a font any more.
void FreeFonts() {
    PlatformState& state = State();
    for (auto& [font, twin] : CanvasTwins()) DeleteObject(twin);
    CanvasTwins().clear();
    for (auto& [number, font] : state.fonts) DeleteObject(font);
    for (HFONT font : state.retiredFonts) DeleteObject(font);
    state.fonts.clear();
    state.retiredFonts.clear();
}

} // namespace win32layer

using namespace win32layer;

Handle LoadNumberedFont(int number, const Text& face, int points, uint32_t style) {
    const HFONT font = MakeFont(face, points, style);
    if (!font) return 0;
    HFONT& slot = State().fonts[number];
    // A font replaced under its number may still be on a gadget: it goes with the others.
    if (slot) State().retiredFonts.push_back(slot);
    slot = font;
    return reinterpret_cast<Handle>(font);
}

Handle FontHandle(int number) {
    auto it = State().fonts.find(number);
    return it == State().fonts.end() ? 0 : reinterpret_cast<Handle>(it->second);
}
