// Pictures for other programs. This backend has no SVG renderer yet: no PNG is made (the editor
// then says that it could not export one), and the clipboard gets the SVG alone, under the
// registered format "image/svg+xml" that drawing programs on Windows read.
#include "win32_state.h"

#include <cstring>

using namespace win32layer;

Text SvgAsPng(const Text&, int, double, double) { return {}; }

void CopyPictureToClipboard(const Text& svg, const Text&) {
    const UINT format = RegisterClipboardFormatW(L"image/svg+xml");
    if (!format || !OpenClipboard(DialogOwner())) return;
    EmptyClipboard();
    if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, svg.size() + 1)) {
        if (void* bytes = GlobalLock(data)) {
            std::memcpy(bytes, svg.c_str(), svg.size() + 1);
            GlobalUnlock(data);
            if (!SetClipboardData(format, data)) GlobalFree(data);
        } else {
            GlobalFree(data);
        }
    }
    CloseClipboard();
}

// A name typed without an extension gets the one of the format chosen.
Text AskSavePictureName(const Text& title, const Text& defaultFile) {
    const Text pattern = "SVG picture (*.svg)|*.svg|PNG picture (*.png)|*.png";
    if (const auto hook = State().requesterHook)
        return hook({"save", title, Text(), defaultFile, pattern, 0}).path;
    DWORD chosen = 1;
    Text path = AskFileWithDialog(true, title, defaultFile, pattern, 0, &chosen);
    if (path.empty()) return path;
    const size_t separator = LastPathSeparator(path), dot = path.rfind('.');
    if (dot == Text::npos || (separator != Text::npos && dot < separator))
        path += chosen == 2 ? ".png" : ".svg";
    return path;
}
