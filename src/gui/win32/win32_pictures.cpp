// Pictures for other programs. Windows has no SVG renderer to hand, so the picture is drawn from
// its description with GDI onto a DIB section, and encoded as PNG by Windows Imaging Component
// (Windows' own encoder: nothing added to the program). The clipboard gets the SVG under
// "image/svg+xml", the PNG under "PNG" and the same pixels as CF_DIB, which every word processor
// takes. Start reading at PictureAsPng.
#include "win32_state.h"

#include <wincodec.h>

#include <cmath>
#include <cstring>

using namespace win32layer;

namespace {

// The picture's pixels, top-down rows of 24-bit BGR padded to 4 bytes, as both WIC and a DIB
// take them.
struct Pixels {
    int width = 0, height = 0, stride = 0;
    std::vector<BYTE> bytes;
};

HFONT PictureFont(const PictureDrawing& picture, const PictureText& text, int scale) {
    LOGFONTW font{};
    font.lfHeight = -picture.fontPixels * scale;
    font.lfWeight = text.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = text.italic;
    font.lfUnderline = text.underline;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS; // where the face is missing: a sans serif
    lstrcpynW(font.lfFaceName, WideText(picture.fontFamily).c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

bool Draw(const PictureDrawing& picture, int scale, Pixels& out) {
    const int width = picture.width * scale, height = picture.height * scale;
    if (width <= 0 || height <= 0 || width > 30000 || height > 30000) return false;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return false;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT whole{0, 0, width, height};
    ::FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (const PictureRect& r : picture.rects) {
        const RECT area{r.x * scale, r.y * scale, (r.x + r.width) * scale,
                        (r.y + r.height) * scale};
        SetDCBrushColor(dc, static_cast<COLORREF>(r.colour));
        ::FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_CENTER | TA_BASELINE | TA_NOUPDATECP);
    for (const PictureText& text : picture.texts) {
        const HFONT font = PictureFont(picture, text, scale);
        const HGDIOBJ before = SelectObject(dc, font);
        const std::wstring wide = WideText(text.text);
        ExtTextOutW(dc, text.x * scale, text.baseline * scale, 0, nullptr, wide.c_str(),
                    static_cast<UINT>(wide.size()), nullptr);
        SelectObject(dc, before);
        DeleteObject(font);
    }
    GdiFlush();
    out.width = width;
    out.height = height;
    out.stride = (width * 3 + 3) & ~3;
    out.bytes.assign(static_cast<size_t>(out.stride) * height, 0);
    const auto* from = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = from[static_cast<size_t>(y) * width + x];
            BYTE* to = &out.bytes[static_cast<size_t>(y) * out.stride + x * 3];
            to[0] = pixel & 0xFF, to[1] = (pixel >> 8) & 0xFF, to[2] = (pixel >> 16) & 0xFF;
        }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return true;
}

template <typename T> struct Com {
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

// The pixels as PNG through WIC, with the resolution that gives the picture's physical size.
Text EncodePng(const Pixels& pixels, double widthMm, double heightMm) {
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Text png;
    {
        Com<IWICImagingFactory> factory;
        Com<IStream> stream;
        Com<IWICBitmapEncoder> encoder;
        Com<IWICBitmapFrameEncode> frame;
        Com<IPropertyBag2> options;
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        HGLOBAL memory = nullptr;
        STATSTG stat{};
        const bool written =
            SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_PPV_ARGS(&factory))) &&
            SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) &&
            SUCCEEDED(frame->Initialize(options.p)) &&
            SUCCEEDED(frame->SetSize(pixels.width, pixels.height)) &&
            SUCCEEDED(frame->SetResolution(pixels.width * 25.4 / widthMm,
                                           pixels.height * 25.4 / heightMm)) &&
            SUCCEEDED(frame->SetPixelFormat(&format)) &&
            IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
            SUCCEEDED(frame->WritePixels(pixels.height, pixels.stride,
                                         static_cast<UINT>(pixels.bytes.size()),
                                         const_cast<BYTE*>(pixels.bytes.data()))) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()) &&
            SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) &&
            SUCCEEDED(GetHGlobalFromStream(stream.p, &memory));
        if (written)
            if (const void* bytes = GlobalLock(memory)) {
                png.assign(static_cast<const char*>(bytes), stat.cbSize.QuadPart);
                GlobalUnlock(memory);
            }
    }
    if (SUCCEEDED(started)) CoUninitialize();
    return png;
}

bool Put(UINT format, const void* first, size_t firstSize, const void* second = nullptr,
         size_t secondSize = 0) {
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, firstSize + secondSize);
    if (!data) return false;
    auto* bytes = static_cast<char*>(GlobalLock(data));
    if (!bytes) {
        GlobalFree(data);
        return false;
    }
    std::memcpy(bytes, first, firstSize);
    if (secondSize) std::memcpy(bytes + firstSize, second, secondSize);
    GlobalUnlock(data);
    if (SetClipboardData(format, data)) return true;
    GlobalFree(data);
    return false;
}

// A bottom-up 24-bit DIB of the pixels.
void PutDib(const Pixels& pixels) {
    BITMAPINFOHEADER header{sizeof header,
                            pixels.width,
                            pixels.height,
                            1,
                            24,
                            BI_RGB,
                            static_cast<DWORD>(pixels.bytes.size()),
                            0,
                            0,
                            0,
                            0};
    std::vector<BYTE> rows(pixels.bytes.size());
    for (int y = 0; y < pixels.height; ++y)
        std::memcpy(&rows[static_cast<size_t>(pixels.height - 1 - y) * pixels.stride],
                    &pixels.bytes[static_cast<size_t>(y) * pixels.stride], pixels.stride);
    Put(CF_DIB, &header, sizeof header, rows.data(), rows.size());
}

} // namespace

Text PictureAsPng(const PictureDrawing& picture, int scale) {
    Pixels pixels;
    if (picture.widthMm <= 0 || picture.heightMm <= 0 || !Draw(picture, scale, pixels)) return {};
    return EncodePng(pixels, picture.widthMm, picture.heightMm);
}

void CopyPictureToClipboard(const PictureDrawing& picture, int scale) {
    Pixels pixels;
    const bool drawn = picture.widthMm > 0 && picture.heightMm > 0 && Draw(picture, scale, pixels);
    const Text png = drawn ? EncodePng(pixels, picture.widthMm, picture.heightMm) : Text();
    if (!OpenClipboard(DialogOwner())) return;
    EmptyClipboard();
    if (const UINT svg = RegisterClipboardFormatW(L"image/svg+xml"))
        Put(svg, picture.svg.data(), picture.svg.size()); // the file's bytes, no NUL
    if (const UINT format = RegisterClipboardFormatW(L"PNG"); format && !png.empty())
        Put(format, png.data(), png.size());
    if (drawn) PutDib(pixels);
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
