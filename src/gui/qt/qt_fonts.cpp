// Numbered fonts. Sizes in points are turned into pixels at 96 dots per inch whatever the
// screen's scaling (8 pt = 11 px, 7 pt = 9 px), so that the fixed layout always fits its text.
// "Tahoma" is the system's where it has one, else Debian's copy from fonts-wine, else an
// explicit DejaVu Sans (never whatever fallback, which may be monospaced).
#include "qt_state.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>

namespace qtlayer {
namespace {

const QString Tahoma = QStringLiteral("Tahoma");
const QString FallbackFamily = QStringLiteral("DejaVu Sans");
// Only Wine's regular face: its bold face is drawn lighter than the regular one at 9 and 11
// pixels, while the bold that Qt makes from the regular face reads clearly as bold.
const char* const TahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf"};
constexpr int DotsPerInch = 96, PointsPerInch = 72;

// The nearest integer, halves away from zero.
int PixelsOf(int points) {
    const int scaled = points * DotsPerInch;
    return (scaled + (scaled >= 0 ? PointsPerInch / 2 : -PointsPerInch / 2)) / PointsPerInch;
}

QFont MakeFont(const QString& face, int points, uint32_t style) {
    QFont font;
    font.setFamilies({face.isEmpty() ? Tahoma : face, FallbackFamily});
    font.setStyleHint(QFont::SansSerif);
    const int pixels = PixelsOf(points < 0 ? -points : points);
    font.setPixelSize(pixels > 0 ? pixels : PixelsOf(8));
    font.setWeight(style & FONT_BOLD ? QFont::Bold : QFont::Normal);
    font.setItalic(style & FONT_ITALIC);
    font.setUnderline(style & FONT_UNDERLINE);
    font.setStrikeOut(style & FONT_STRIKEOUT);
    font.setStyleStrategy(style & FONT_PROOF ? QFont::PreferQuality : QFont::PreferDefault);
    return font;
}

// The system's own family: a fontconfig alias for "Tahoma" does not count.
bool HasTahoma() { return QFontDatabase::families().contains(Tahoma, Qt::CaseInsensitive); }

} // namespace

void PrepareFonts() {
    if (!HasTahoma())
        for (const char* file : TahomaFiles)
            if (QFile::exists(file)) QFontDatabase::addApplicationFont(file);
    if (!HasTahoma()) QFont::insertSubstitution(Tahoma, FallbackFamily);
    State().stockGadgetFont = MakeFont(Tahoma, 8, 0);
    State().systemFont = MakeFont(Tahoma, 10, FONT_BOLD);
    State().defaultGadgetFont = State().stockGadgetFont;
}

const QFont* FontOfHandle(Handle handle) {
    if (handle == -1) return &State().stockGadgetFont;
    for (const auto& [number, font] : State().fonts)
        if (reinterpret_cast<Handle>(font.get()) == handle) return font.get();
    return nullptr;
}

const QFont& SystemFont() { return State().systemFont; }

// Qt makes Tahoma's bold from its regular face. At 100 % hinting widens those strokes by a whole
// pixel; at a higher scale text is not hinted, the widening stays a fraction of a stroke and
// bold reads as regular. Such text is drawn again one device pixel further right for every two
// device pixels of the scale, from 150 % on, so that bold keeps its weight against regular.
int ExtraBoldPasses(const QPainter& painter) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QFont& font = painter.font();
    if (!font.bold() || ratio < 1.5) return 0;
    if (QFontInfo(font).styleName().contains(QLatin1String("Bold"), Qt::CaseInsensitive)) return 0;
    return qFloor((ratio + 0.5) / 2);
}

void FreeFonts() {
    State().fonts.clear();
    ForgetTextWidths();
}

} // namespace qtlayer

using namespace qtlayer;

Handle LoadNumberedFont(int number, const Text& face, int points, uint32_t style) {
    auto font = std::make_unique<QFont>(MakeFont(QString::fromUtf8(face), points, style));
    const Handle handle = reinterpret_cast<Handle>(font.get());
    State().fonts[number] = std::move(font); // frees a font loaded before under the number
    ForgetTextWidths();
    return handle;
}

Handle FontHandle(int number) {
    auto it = State().fonts.find(number);
    return it == State().fonts.end() ? 0 : reinterpret_cast<Handle>(it->second.get());
}
