// Pictures for other programs: an SVG drawn by Qt SVG into a PNG, both put on the clipboard,
// and the save requester that offers the two formats.
#include "qt_state.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

using namespace qtlayer;

namespace {

// Qt SVG draws no text decorations. An underlined text that has an id gets its underline here,
// one pixel below its baseline, as wide as Qt SVG laid the text out.
void DrawUnderlines(const QByteArray& svg, QSvgRenderer& renderer, QPainter& painter) {
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"text") continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString id = attributes.value(QLatin1String("id")).toString();
        if (attributes.value(QLatin1String("text-decoration")) != u"underline" || id.isEmpty())
            continue;
        const QRectF text = renderer.boundsOnElement(id);
        const qreal baseline = attributes.value(QLatin1String("y")).toDouble();
        painter.fillRect(QRectF(text.left(), baseline + 1, text.width(), 1), Qt::black);
    }
}

} // namespace

// Qt SVG draws the SVG itself.
Text PictureAsPng(const PictureDrawing& picture, int scale) {
    const double widthMm = picture.widthMm, heightMm = picture.heightMm;
    const QByteArray bytes = QByteArray::fromStdString(picture.svg);
    QSvgRenderer renderer(bytes);
    const QSize size = (renderer.viewBoxF().size() * scale).toSize();
    if (!renderer.isValid() || size.isEmpty() || widthMm <= 0 || heightMm <= 0) return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Pixels per metre: a program that places the PNG shows it at the SVG's size.
    image.setDotsPerMeterX(qRound(size.width() * 1000 / widthMm));
    image.setDotsPerMeterY(qRound(size.height() * 1000 / heightMm));
    QPainter painter(&image);
    renderer.render(&painter);
    painter.scale(scale, scale);
    DrawUnderlines(bytes, renderer, painter);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? png.toStdString() : Text();
}

void CopyPictureToClipboard(const PictureDrawing& picture, int scale) {
    if (!qApp) return;
    const Text& svg = picture.svg;
    const Text png = PictureAsPng(picture, scale);
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(svg));
    if (!png.empty()) data->setData(QStringLiteral("image/png"), QByteArray::fromStdString(png));
    QGuiApplication::clipboard()->setMimeData(data);
}

Text AskSavePictureName(const Text& title, const Text& defaultFile) {
    const Text pattern = "SVG picture (*.svg)|*.svg|PNG picture (*.png)|*.png";
    if (const auto hook = State().requesterHook)
        return hook({"save", title, Text(), defaultFile, pattern, 0}).path;
    if (!qApp) return {};
    const QFileInfo file(QString::fromUtf8(defaultFile));
    const QString svg = QStringLiteral("SVG picture (*.svg)");
    QFileDialog*& kept = State().pictureDialog;
    if (!kept) {
        auto* made = kept = new QFileDialog;
        made->setOptions(QFileDialog::DontUseNativeDialog);
        made->setAcceptMode(QFileDialog::AcceptSave);
        made->setNameFilters({svg, QStringLiteral("PNG picture (*.png)")});
        // A name typed without an extension gets the one of the format chosen.
        QObject::connect(made, &QFileDialog::filterSelected, [made](const QString& filter) {
            made->setDefaultSuffix(filter.contains(QStringLiteral("png")) ? QStringLiteral("png")
                                                                          : QStringLiteral("svg"));
        });
    }
    QFileDialog& dialog = *kept;
    dialog.setWindowTitle(QString::fromUtf8(title));
    dialog.setDirectory(file.absolutePath());
    dialog.selectNameFilter(svg);
    dialog.setDefaultSuffix(QStringLiteral("svg"));
    dialog.selectFile(file.fileName());
    WindowEntry* owner = FindWindow(ActiveWindow());
    if (ExecOver(dialog, owner ? owner->widget.data() : nullptr) != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0).toUtf8().toStdString();
}
