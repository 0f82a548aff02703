// "Copy Picture" (Ctrl+C) and "Export Picture...": the Chart's SVG picture (html/picture) put on
// the clipboard together with a PNG of it, or written to a file of the user's choosing, so
// that the chart goes into a slide or a document without its page.
#include "editor.h"
#include "gui/gui.h"
#include "html/page.h"
#include "html/picture.h"

namespace {

constexpr int PngScale = 2; // twice the picture's pixels, sharp on screens scaled by two
constexpr const char* ExportFailedMessage =
    "Could not export picture. File already open or damaged?";

PictureDrawing DrawingOf(const ChartPicture& picture) {
    PictureDrawing drawing;
    drawing.svg = picture.svg;
    drawing.width = picture.pixelWidth;
    drawing.height = picture.pixelHeight;
    drawing.widthMm = picture.widthHundredthMm / 100.0;
    drawing.heightMm = picture.heightHundredthMm / 100.0;
    drawing.fontFamily = picture.fontFamily;
    drawing.fontPixels = picture.fontPixels;
    for (const PictureFill& f : picture.fills)
        drawing.rects.push_back({f.x, f.y, f.width, f.height,
                                 RgbColour(f.rgb >> 16, (f.rgb >> 8) & 0xFF, f.rgb & 0xFF)});
    for (const PictureLine& l : picture.lines)
        drawing.texts.push_back({l.x, l.baseline, l.text, l.bold, l.italic, l.underline});
    return drawing;
}

bool IsPngName(const Text& path) {
    return path.size() >= 4 && TextEqualIgnoringAsciiCase(".png", 4, path.substr(path.size() - 4));
}

// Beside the chart and named after it; without an extension, so that the requester adds the
// one of the format chosen.
Text DefaultPictureName() {
    if (ChartFileName.empty()) return PathFolder(LastProject) + "chart";
    return ChartNameStem(ChartFileName);
}

} // namespace

void CopyPicture() { CopyPictureToClipboard(DrawingOf(BuildChartPicture()), PngScale); }

void ExportPicture() {
    const Text path = AskSavePictureName("Export Picture...", DefaultPictureName());
    if (path.empty()) return;
    const ChartPicture picture = BuildChartPicture();
    const Text bytes = IsPngName(path) ? PictureAsPng(DrawingOf(picture), PngScale) : picture.svg;
    if (bytes.empty() || !WritePictureFile(path, bytes))
        ShowMessage("Error!", ExportFailedMessage, MB_OK);
}
