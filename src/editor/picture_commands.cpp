// "Copy Picture" (Ctrl+C) and "Export Picture...": the Chart's SVG picture (html/picture) put on
// the clipboard together with a PNG of it, or written to a file of the user's choosing, so
// that the chart goes into a slide or a document without its page.
#include "editor.h"
#include "html/page.h"
#include "html/picture.h"
#include "gui/gui.h"

namespace {

constexpr int PngScale = 2; // twice the picture's pixels, sharp on screens scaled by two
constexpr const char* ExportFailedMessage =
    "Could not export picture. File already open or damaged?";

Text PngOf(const ChartPicture& picture) {
    return SvgAsPng(picture.svg, PngScale, picture.widthHundredthMm / 100.0,
                    picture.heightHundredthMm / 100.0);
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

void CopyPicture() {
    const ChartPicture picture = BuildChartPicture();
    CopyPictureToClipboard(picture.svg, PngOf(picture));
}

void ExportPicture() {
    const Text path = AskSavePictureName("Export Picture...", DefaultPictureName());
    if (path.empty()) return;
    const ChartPicture picture = BuildChartPicture();
    const Text bytes = IsPngName(path) ? PngOf(picture) : picture.svg;
    if (bytes.empty() || !WritePictureFile(path, bytes))
        ShowMessage("Error!", ExportFailedMessage, MB_OK);
}
