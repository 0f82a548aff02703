// The look every window shares: Fusion, with three changes that the fixed layout and the canvas
// rely on. Check box indicators are 12 pixels, so 12 x 12 connector check boxes show them
// whole. Push buttons have a flat face in the palette's button colour: connector stubs are
// painted out in exactly that colour, which must leave no trace on an empty Box. Every window
// keeps Fusion's light palette whatever the desktop's theme says, so that the chart shows the
// black lines and dark text on a light face that its page will show.
#include "qt_state.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace qtlayer {
namespace {

class PlatformStyle : public QProxyStyle {
  public:
    PlatformStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight) return 12;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    // A palette set on the window itself wins over the application's and over the palettes a
    // desktop theme gives to classes of widgets, also when the theme changes later.
    void polish(QWidget* widget) override {
        QProxyStyle::polish(widget);
        if (widget->isWindow()) widget->setPalette(FixedPalette());
    }
    using QProxyStyle::polish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_PanelButtonCommand)
            DrawFlatButton(option, painter);
        else if (element == PE_IndicatorCheckBox)
            DrawFlatCheckBox(option, painter);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole) const override {
        if (text.isEmpty()) return; // the Boxes' buttons have no caption
        DrawBoldEnough(*painter, [&] {
            QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        });
    }

  private:
    // A white square with a tick, in whole pixels: 175 of them are painted at start-up.
    static void DrawFlatCheckBox(const QStyleOption* option, QPainter* painter) {
        const QPalette& palette = option->palette;
        const bool enabled = option->state & State_Enabled;
        const QRect r = option->rect;
        painter->save();
        painter->fillRect(r, palette.color(QPalette::Window).darker(enabled ? 160 : 120));
        painter->fillRect(r.adjusted(1, 1, -1, -1), option->state & State_Sunken
                                                        ? palette.color(QPalette::Button)
                                                        : palette.color(QPalette::Base));
        const QColor ink =
            palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::Text);
        if (option->state & State_NoChange) {
            painter->fillRect(r.left() + 3, r.center().y() - 1, r.width() - 6, 2, ink);
        } else if (option->state & State_On) {
            const qreal x = r.left(), y = r.top(), w = r.width(), h = r.height();
            painter->setRenderHint(QPainter::Antialiasing, false);
            painter->setPen(QPen(ink, 2));
            const QPointF tick[] = {{x + w * 0.25, y + h * 0.5},
                                    {x + w * 0.42, y + h * 0.7},
                                    {x + w * 0.75, y + h * 0.28}};
            painter->drawPolyline(tick, 3);
        }
        painter->restore();
    }

    static void DrawFlatButton(const QStyleOption* option, QPainter* painter) {
        const QPalette& palette = option->palette;
        const bool down = option->state & (State_Sunken | State_On);
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        const bool isDefault = button && (button->features & QStyleOptionButton::DefaultButton);
        const bool keyboardFocus =
            (option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange);
        QColor outline = palette.color(QPalette::Window).darker(140);
        if (isDefault || keyboardFocus) outline = palette.color(QPalette::Highlight).darker(125);
        const QRect inside = option->rect.adjusted(1, 1, -1, -1);

        painter->save();
        painter->fillRect(inside, down ? palette.color(QPalette::Button).darker(115)
                                       : palette.color(QPalette::Button));
        if (down) { // a toggle that is on looks pressed in
            painter->setPen(palette.color(QPalette::Button).darker(140));
            painter->drawLine(inside.topLeft(), inside.topRight());
        }
        // The outline in whole pixels, its corners left out: it reads as slightly rounded, and
        // a hundred Boxes are drawn at start-up without the cost of antialiased curves.
        const QRect r = option->rect;
        painter->fillRect(r.left() + 1, r.top(), r.width() - 2, 1, outline);
        painter->fillRect(r.left() + 1, r.bottom(), r.width() - 2, 1, outline);
        painter->fillRect(r.left(), r.top() + 1, 1, r.height() - 2, outline);
        painter->fillRect(r.right(), r.top() + 1, 1, r.height() - 2, outline);
        painter->restore();
    }
};

} // namespace

QStyle* CreatePlatformStyle() { return new PlatformStyle; }

// Fusion's own light palette, built here because Fusion hands out the desktop theme's palette
// where a theme offers one.
const QPalette& FixedPalette() {
    std::optional<QPalette>& palette = State().palette;
    if (!palette)
        palette = [] {
            const QColor face(0xEF, 0xEF, 0xEF), dark = face.darker(150), mid = face.darker(130);
            const QColor shadow = dark.darker(135), disabledText(190, 190, 190);
            QPalette light(Qt::black, face, face.lighter(150), dark, mid, Qt::black, Qt::white);
            light.setColor(QPalette::Midlight, mid.lighter(110));
            light.setColor(QPalette::Button, face);
            light.setColor(QPalette::Shadow, shadow);
            light.setColor(QPalette::HighlightedText, Qt::white);
            light.setColor(QPalette::Highlight, QColor(48, 140, 198));
            light.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
            for (QPalette::ColorRole role :
                 {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
                light.setColor(QPalette::Disabled, role, disabledText);
            light.setColor(QPalette::Disabled, QPalette::Base, face);
            light.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
            light.setColor(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
            light.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
            light.setResolveMask(~QPalette::ResolveMask(0)); // every role, none left to a theme
            return light;
        }();
    return *palette;
}

} // namespace qtlayer
