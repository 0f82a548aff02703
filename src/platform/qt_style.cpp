// The look every window shares: Fusion, with two changes that the fixed layout and the canvas
// rely on. Check box indicators are 12 pixels, so 12 x 12 connector check boxes show them
// whole. Push buttons have a flat face in the palette's button colour: connector stubs are
// painted out in exactly that colour, which must leave no trace on an empty Box.
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

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_PanelButtonCommand)
            DrawFlatButton(option, painter);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

  private:
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
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(outline);
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        painter->restore();
    }
};

} // namespace

QStyle* CreatePlatformStyle() { return new PlatformStyle; }

} // namespace qtlayer
