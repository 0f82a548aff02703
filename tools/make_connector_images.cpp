// Build-time tool: draws the 34 connector images of the page with giflib and writes them as
// GIF files plus a C++ source that carries their bytes into the program.
//
//   make_connector_images OUTPUT_FOLDER GENERATED_CPP
//
// What each picture shows is described in html/connector_pictures.h: transparent, with black
// lines 2 pixels thick.
#include "html/connector_pictures.h"

#include <gif_lib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr GifByteType Transparent = 0, Black = 1;

struct Picture {
    int width, height;
    std::vector<GifByteType> pixels;

    Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w * h), Transparent) {}
    // Fills the rectangle from (x0, y0) to (x1, y1), both corners included.
    void Fill(int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) pixels[static_cast<size_t>(y * width + x)] = Black;
    }
};

// The GIF's pixels of one picture of the set.
Picture Rasterise(const ConnectorPicture& picture) {
    Picture p(picture.width, picture.height);
    for (const InkRect& r : picture.ink) p.Fill(r.left, r.top, r.right, r.bottom);
    return p;
}

int AppendToBuffer(GifFileType* gif, const GifByteType* bytes, int count) {
    auto* out = static_cast<std::vector<unsigned char>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + count);
    return count;
}

bool Check(int result, GifFileType* gif, const char* what) {
    if (result == GIF_OK) return true;
    std::cerr << "make_connector_images: " << what << ": " << GifErrorString(gif->Error) << "\n";
    return false;
}

// A GIF89a with a two-colour map whose colour 0 is transparent.
bool Encode(const Picture& picture, std::vector<unsigned char>& out) {
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendToBuffer, &error);
    if (!gif) {
        std::cerr << "make_connector_images: " << GifErrorString(error) << "\n";
        return false;
    }
    EGifSetGifVersion(gif, true);
    GifColorType colours[2] = {{255, 255, 255}, {0, 0, 0}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    bool ok =
        map && Check(EGifPutScreenDesc(gif, picture.width, picture.height, 1, Transparent, map),
                     gif, "screen");
    GifFreeMapObject(map); // the screen descriptor keeps its own copy

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.UserInputFlag = false;
    control.DelayTime = 0;
    control.TransparentColor = Transparent;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    ok = ok && Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension), gif, "control");
    ok = ok && Check(EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr),
                     gif, "image");
    for (int y = 0; ok && y < picture.height; ++y) {
        auto* row =
            const_cast<GifPixelType*>(&picture.pixels[static_cast<size_t>(y * picture.width)]);
        ok = Check(EGifPutLine(gif, row, picture.width), gif, "line");
    }
    if (EGifCloseFile(gif, &error) != GIF_OK) { // frees gif whatever happens
        std::cerr << "make_connector_images: close: " << GifErrorString(error) << "\n";
        ok = false;
    }
    return ok;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::cerr << "make_connector_images: cannot write " << path << "\n";
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_connector_images OUTPUT_FOLDER GENERATED_CPP\n";
        return 2;
    }
    std::string folder = argv[1];
    const std::vector<ConnectorPicture> images = ConnectorPictures();
    if (static_cast<int>(images.size()) != ImageCount) return 1;

    std::ostringstream source;
    source
        << "// Generated at build time by tools/make_connector_images: the connector image set.\n"
           "#include \"html/image_set.h\"\n\nnamespace {\n";
    for (size_t i = 0; i < images.size(); ++i) {
        std::vector<unsigned char> gif;
        if (!Encode(Rasterise(images[i]), gif)) return 1;
        if (!WriteFile(folder + "/" + images[i].fileName, std::string(gif.begin(), gif.end())))
            return 1;
        source << "const unsigned char image" << i << "[] = {";
        for (size_t b = 0; b < gif.size(); ++b)
            source << (b % 16 == 0 ? "\n    " : " ") << static_cast<int>(gif[b]) << ",";
        source << "\n};\n";
    }
    source << "} // namespace\n\nconst ImageFile ImageSet[] = {\n";
    for (size_t i = 0; i < images.size(); ++i)
        source << "    {\"" << images[i].fileName << "\", image" << i << ", sizeof image" << i
               << "},\n";
    source << "};\nconst size_t ImageSetSize = sizeof ImageSet / sizeof ImageSet[0];\n";
    return WriteFile(argv[2], source.str()) ? 0 : 1;
}
