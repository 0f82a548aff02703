// Drawing on a window's retained canvas: a transparent image above the gadgets that keeps what
// is painted until it is painted over. Rectangles and lines cover exact pixels (no
// antialiasing); text is drawn with its top-left corner at the text position, which it
// advances. The one repaint kept on purpose: a gadget shown again clears its rectangle. A whole
// canvas is cleared only when the logic asks for it (ClearWindowCanvas).
#include "qt_state.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStaticText>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unordered_map>

namespace qtlayer {

CanvasOverlay::CanvasOverlay(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, window->width(), window->height());
    const qreal ratio = window->devicePixelRatioF();
    image = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
}

// A window moved to a screen of another scale keeps its pixels, rescaled once.
void CanvasOverlay::FollowDevicePixelRatio() {
    const qreal ratio = devicePixelRatioF();
    if (ratio == image.devicePixelRatio()) return;
    image = image.scaled(size() * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image.setDevicePixelRatio(ratio);
}

void CanvasOverlay::paintEvent(QPaintEvent* event) {
    FollowDevicePixelRatio();
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(QPoint(0, 0), image);
}

CanvasOverlay* CreateCanvas(AppWindow* window) {
    auto* canvas = new CanvasOverlay(window);
    canvas->show();
    canvas->raise();
    return canvas;
}

namespace {

constexpr uint32_t TransparentText = 1, InvertPixels = 2, OutlineOnly = 4;
const QColor OpaqueTextBackground = Qt::white;

DrawingPass& Current() { return State().drawing; }

QColor ColourOf(int32_t red, int32_t green, int32_t blue) {
    return QColor(red & 0xFF, green & 0xFF, blue & 0xFF);
}

QColor ColourOf(int32_t colour) { return ColourOf(colour, colour >> 8, colour >> 16); }

CanvasOverlay* CanvasOf(int window) {
    WindowEntry* entry = FindWindow(window);
    return entry ? entry->canvas.data() : nullptr;
}

// Inverting works on what the canvas shows over the window's background.
void InvertArea(QImage& image, const QRect& logical) {
    const qreal ratio = image.devicePixelRatio();
    const QRect area = QRect(qFloor(logical.x() * ratio), qFloor(logical.y() * ratio),
                             qCeil(logical.width() * ratio), qCeil(logical.height() * ratio))
                           .intersected(image.rect());
    const QRgb background = FixedPalette().color(QPalette::Button).rgb();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb shown = qAlpha(line[x]) == 255 ? line[x] : background;
            line[x] = qRgb(255 - qRed(shown), 255 - qGreen(shown), 255 - qBlue(shown));
        }
    }
}

void Cover(const QRect& area, const QColor& colour) {
    DrawingPass& d = Current();
    if (area.isEmpty()) return;
    if (d.mode & InvertPixels)
        InvertArea(CanvasOf(d.window)->image, area);
    else
        d.painter.fillRect(area, colour);
    d.dirty |= area;
}

bool IsDrawing() { return Current().window >= 0; }

// Measured once per font, and only when text is drawn: the Chart selects a font for every
// line, empty ones included, and loading a font costs more than drawing a whole chart.
const LineMetrics& MetricsOfCurrentFont() {
    DrawingPass& d = Current();
    auto [it, added] = State().texts.metrics.try_emplace(d.fontHandle);
    if (added) {
        const QFontMetrics metrics(d.font);
        const QFontMetricsF exact(d.font);
        // The font's own position rounded up to the middle of a pixel row, kept inside the descent.
        const qreal offset = exact.underlinePos();
        qreal underlineY = std::ceil(offset) + 0.5;
        if (offset <= exact.descent()) underlineY = std::min(underlineY, exact.descent() - 0.5);
        it->second = {metrics.ascent(), metrics.height(), underlineY, exact.lineWidth()};
    }
    return it->second;
}

// Glyphs are drawn with a font that has no underline, and the underline is drawn apart: Qt
// places the underline of prepared glyphs wrongly on scaled screens, and shaping the text
// again on every draw, which drawing it whole would take, costs most of a refresh.
const QFont& GlyphFontOf(const QFont& font, Handle handle) {
    if (!font.underline()) return font;
    auto [it, added] = State().texts.glyphFonts.try_emplace(handle, font);
    if (added) it->second.setUnderline(false);
    return it->second;
}

void UseFont(const QFont& font, Handle handle) {
    DrawingPass& d = Current();
    d.font = font;
    d.fontHandle = handle;
    d.painter.setFont(GlyphFontOf(font, handle));
}

// The underline as Qt draws it under a text drawn whole: from the start of the text to the end
// of its advance, rounded down, in the text's colour, its edges shaded on scaled screens.
void DrawUnderline(QPainter& painter, QPoint baseline, qreal advance, const LineMetrics& metrics) {
    const qreal y = baseline.y() + metrics.underlineY - metrics.underlineWidth / 2;
    const QRectF line(QPointF(baseline.x(), y),
                      QPointF(qFloor(baseline.x() + advance), y + metrics.underlineWidth));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(line, Current().text);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// Text in other scripts may take another font's metrics, and Qt underlines each script's run by
// its own font: such text is drawn whole.
bool IsLatinText(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        const QChar::Script script = c.script();
        return script == QChar::Script_Latin || script == QChar::Script_Common ||
               script == QChar::Script_Inherited;
    });
}

// Each text is measured and shaped once per font, and drawn from its shaped glyphs after that,
// which is most of the work saved.
ShapedText& ShapedTextOf(const Text& text) {
    DrawingPass& d = Current();
    TextCaches& caches = State().texts;
    std::string& key = caches.key;
    key.assign(reinterpret_cast<const char*>(&d.fontHandle), sizeof d.fontHandle);
    key += text;
    if (caches.lastShaped && caches.lastKey == key) return *caches.lastShaped;
    auto& texts = caches.shaped;
    auto it = texts.find(key);
    if (it == texts.end()) {
        if (texts.size() > 4096) texts.clear();
        const QString value = QString::fromUtf8(text);
        ShapedText shaped;
        shaped.width = QFontMetrics(d.font).horizontalAdvance(value);
        if (d.font.underline() && IsLatinText(value))
            shaped.advance = QFontMetricsF(d.font).horizontalAdvance(value);
        shaped.glyphs.setText(value);
        shaped.glyphs.setTextFormat(Qt::PlainText);
        it = texts.emplace(key, std::move(shaped)).first;
    }
    caches.lastKey = key;
    caches.lastShaped = &it->second;
    return it->second;
}

} // namespace

void ForgetTextWidths() {
    Current().fontHandle = -2; // a font loaded anew may take the handle of the one it replaced
    TextCaches& caches = State().texts;
    caches.lastShaped = nullptr;
    caches.shaped.clear();
    caches.metrics.clear();
    caches.glyphFonts.clear();
}

void EndDrawingOn(int window) {
    if (Current().window == window) EndDrawing();
}

void ApplyPendingClears(int window) {
    WindowEntry* entry = FindWindow(window);
    if (!entry || entry->pendingClear.isEmpty() || !entry->canvas) return;
    CanvasOverlay* canvas = entry->canvas;
    const QRegion region = entry->pendingClear;
    entry->pendingClear = QRegion();
    DrawingPass& d = Current();
    QPainter own;
    QPainter* painter = &d.painter;
    if (d.window != window) {
        own.begin(&canvas->image);
        painter = &own;
    }
    painter->save();
    painter->setCompositionMode(QPainter::CompositionMode_Clear);
    for (const QRect& r : region) painter->fillRect(r, Qt::transparent);
    painter->restore();
    canvas->update(region);
}

void ApplyAllPendingClears() {
    for (auto& [number, entry] : State().windows) ApplyPendingClears(number);
}

} // namespace qtlayer

using namespace qtlayer;

Handle BeginDrawing(Handle window) {
    EndDrawing();
    const int number = WindowNumberOfHandle(window);
    CanvasOverlay* canvas = CanvasOf(number);
    if (!canvas) return 0;
    canvas->FollowDevicePixelRatio();
    DrawingPass& d = Current();
    if (!d.painter.begin(&canvas->image)) return 0;
    d.painterPen = QColor();
    d.painter.setRenderHint(QPainter::Antialiasing, false);
    d.window = number;
    d.mode = 0;
    d.pen = d.brush = d.text = Qt::black;
    UseFont(SystemFont(), -1);
    d.position = QPoint(0, 0);
    d.dirty = QRect();
    return window;
}

void EndDrawing() {
    DrawingPass& d = Current();
    if (!IsDrawing()) return;
    d.painter.end();
    if (CanvasOverlay* canvas = CanvasOf(d.window)) canvas->update(d.dirty);
    d.window = -1;
}

void SetDrawingMode(uint32_t flags) {
    if (IsDrawing()) Current().mode = flags;
}

void SetDrawColour(int32_t red, int32_t green, int32_t blue) {
    DrawingPass& d = Current();
    if (!IsDrawing()) return;
    const QColor colour = ColourOf(red, green, blue);
    if (!(d.mode & OutlineOnly)) d.brush = colour;
    d.pen = colour;
    d.text = colour;
}

void FillRect(int x, int y, int width, int height, int32_t colour) {
    DrawingPass& d = Current();
    if (!IsDrawing()) return;
    const QColor c = ColourOf(colour);
    SetDrawColour(c.red(), c.green(), c.blue());
    if (width == 1 && height == 1) {
        Cover(QRect(x, y, 1, 1), d.pen);
        return;
    }
    // Like a rectangle outlined with the pen and filled with the brush, both in the colour.
    const QRect area = QRect(QPoint(std::min(x, x + width), std::min(y, y + height)),
                             QSize(std::abs(width), std::abs(height)));
    if (area.isEmpty()) return;
    if (!(d.mode & OutlineOnly)) {
        Cover(area, d.brush);
        return;
    }
    Cover(QRect(area.left(), area.top(), area.width(), 1), d.pen);
    Cover(QRect(area.left(), area.bottom(), area.width(), 1), d.pen);
    Cover(QRect(area.left(), area.top(), 1, area.height()), d.pen);
    Cover(QRect(area.right(), area.top(), 1, area.height()), d.pen);
}

// From (x, y) towards (x + dx, y + dy), the end point itself left out.
void DrawLine(int x, int y, int dx, int dy, int32_t colour) {
    DrawingPass& d = Current();
    if (!IsDrawing()) return;
    const QColor c = ColourOf(colour);
    SetDrawColour(c.red(), c.green(), c.blue());
    d.position = QPoint(x + dx, y + dy);
    if (dy == 0 && dx != 0) {
        Cover(dx > 0 ? QRect(x, y, dx, 1) : QRect(x + dx + 1, y, -dx, 1), d.pen);
        return;
    }
    if (dx == 0 && dy != 0) {
        Cover(dy > 0 ? QRect(x, y, 1, dy) : QRect(x, y + dy + 1, 1, -dy), d.pen);
        return;
    }
    const int stepX = dx > 0 ? 1 : -1, stepY = dy > 0 ? 1 : -1;
    const int ax = std::abs(dx), ay = std::abs(dy);
    int error = ax - ay;
    for (int px = x, py = y; px != x + dx || py != y + dy;) {
        Cover(QRect(px, py, 1, 1), d.pen);
        const int twice = 2 * error;
        if (twice > -ay) {
            error -= ay;
            px += stepX;
        }
        if (twice < ax) {
            error += ax;
            py += stepY;
        }
    }
}

void SetDrawingFont(Handle font) {
    // The Chart selects a font for every line, mostly the one its last line had.
    if (!IsDrawing() || font == Current().fontHandle) return;
    if (const QFont* chosen = FontOfHandle(font))
        UseFont(font == -1 ? SystemFont() : *chosen, font);
}

int TextPixelWidth(const Text& text) {
    if (!IsDrawing() || text.empty()) return 0;
    return ShapedTextOf(text).width;
}

void MoveTextCursor(int x, int y) {
    if (IsDrawing()) Current().position = QPoint(x, y);
}

void DrawTextAtCursor(const Text& text) {
    DrawingPass& d = Current();
    if (!IsDrawing() || text.empty()) return;
    ShapedText& shaped = ShapedTextOf(text);
    const LineMetrics& metrics = MetricsOfCurrentFont();
    const QRect area(d.position, QSize(shaped.width, metrics.height));
    if (!(d.mode & TransparentText)) d.painter.fillRect(area, OpaqueTextBackground);
    if (d.painterPen != d.text) d.painter.setPen(d.painterPen = d.text);
    const QPoint baseline(d.position.x(), d.position.y() + metrics.ascent);
    DrawBoldEnough(d.painter, [&] {
        const bool underlineApart = d.font.underline() && shaped.advance >= 0;
        if (d.font.strikeOut() || (d.font.underline() && !underlineApart)) {
            d.painter.setFont(d.font);
            d.painter.drawText(baseline, shaped.glyphs.text());
            d.painter.setFont(GlyphFontOf(d.font, d.fontHandle));
            return;
        }
        d.painter.drawStaticText(d.position, shaped.glyphs);
        if (underlineApart) DrawUnderline(d.painter, baseline, shaped.advance, metrics);
    });
    d.dirty |= area.adjusted(-4, -2, 4, 2); // italic overhang
    d.position.rx() += area.width();
}

int32_t ButtonFaceColour() {
    const QColor face = FixedPalette().color(QPalette::Button);
    return RgbColour(face.red(), face.green(), face.blue());
}

void ClearWindowCanvas(int window) {
    WindowEntry* entry = FindWindow(window);
    if (!entry || !entry->canvas) return;
    CanvasOverlay* canvas = entry->canvas;
    canvas->FollowDevicePixelRatio();
    DrawingPass& d = Current();
    if (d.window == window) {
        d.painter.save();
        d.painter.setCompositionMode(QPainter::CompositionMode_Clear);
        d.painter.fillRect(canvas->rect(), Qt::transparent);
        d.painter.restore();
    } else {
        canvas->image.fill(Qt::transparent);
    }
    entry->pendingClear = QRegion(); // nothing is left for them to clear
    canvas->update();
}

uint32_t CanvasPixel(int window, int x, int y) {
    CanvasOverlay* canvas = CanvasOf(window);
    if (!canvas) return 0;
    const qreal ratio = canvas->image.devicePixelRatio();
    const QPoint device(qFloor(x * ratio), qFloor(y * ratio));
    if (!canvas->image.rect().contains(device)) return 0;
    return canvas->image.pixel(device);
}
