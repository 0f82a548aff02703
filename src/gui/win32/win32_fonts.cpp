// Numbered fonts. Sizes in points are turned into pixels at 96 dots per inch (8 pt = 11 px,
// 7 pt = 9 px), as the fixed layout is, and scaled with it. Controls draw with the font at the
// windows' scale; the canvas draws with a twin of it smoothed in grey (never in colour fringes),
// which it blends itself.
#include "win32_state.h"

#include <map>
#include <tuple>

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

// Twins by the font, the scale and the smoothing.
std::map<std::tuple<HFONT, int, bool>, HFONT>& Twins() {
    static std::map<std::tuple<HFONT, int, bool>, HFONT> twins;
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

HFONT ScaledFont(HFONT font, bool smoothed, int percent) {
    const int scale = percent > 0 ? percent : State().scale;
    if (!font || (scale == 100 && !smoothed)) return font;
    auto [it, added] = Twins().try_emplace({font, scale, smoothed}, nullptr);
    if (added) {
        LOGFONTW description{};
        GetObjectW(font, sizeof description, &description);
        description.lfHeight = MulDiv(description.lfHeight, scale, 100);
        if (smoothed) description.lfQuality = ANTIALIASED_QUALITY;
        it->second = CreateFontIndirectW(&description);
    }
    return it->second ? it->second : font;
}

// Called once the windows are closed: no control holds a font any more.
void FreeFonts() {
    PlatformState& state = State();
    for (auto& [font, twin] : Twins()) DeleteObject(twin);
    Twins().clear();
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
