// Build-time tool: draws the 34 connector images of the page with giflib and writes them as
// GIF files plus a C++ source that carries their bytes into the program.
//
//   make_connector_images OUTPUT_FOLDER GENERATED_CPP
//
// Every picture is transparent with black lines 2 pixels thick, placed so that the pictures
// of neighbouring cells meet without gaps: rows 19-20 of a 40-high cell, rows 9-10 of a 20-high
// cell, columns 74-75 of a 150-wide cell.
#include "html/image_names.h"

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

// The horizontal line of a cell h pixels high lies on its rows h/2 - 1 and h/2.
int LineTop(int height) { return height / 2 - 1; }
int ColumnLeft(int width) { return width / 2 - 1; }

// A junction: an arm from the centre to the edge for every side that is on, the 2 x 2 centre
// square included in each arm.
Picture Junction(int sides, int height) {
    Picture p(BoxCellWidth, height);
    int top = LineTop(height), bottom = top + 1;
    int left = ColumnLeft(BoxCellWidth), right = left + 1;
    if (sides & SideLeft) p.Fill(0, top, right, bottom);
    if (sides & SideRight) p.Fill(left, top, BoxCellWidth - 1, bottom);
    if (sides & SideUp) p.Fill(left, 0, right, bottom);
    if (sides & SideDown) p.Fill(left, top, right, height - 1);
    return p;
}

Picture HorizontalLine(int width, int height) {
    Picture p(width, height);
    p.Fill(0, LineTop(height), width - 1, LineTop(height) + 1);
    return p;
}

Picture VerticalLine(int width, int height) {
    Picture p(width, height);
    p.Fill(ColumnLeft(width), 0, ColumnLeft(width) + 1, height - 1);
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

struct Image {
    std::string fileName;
    Picture picture;
};

std::vector<Image> ImageSetPictures() {
    auto file = [](const char* name) {
        return std::string(ImageFilePrefix) + name + ImageFileExtension;
    };
    std::vector<Image> images = {
        {file(HLineImageName), HorizontalLine(ConnectorCellWidth, BoxCellHeight)},
        {file(NarrowHLineImageName), HorizontalLine(ConnectorCellWidth, NarrowCellHeight)},
        {file(VLineImageName), VerticalLine(BoxCellWidth, SpacerCellHeight)},
        {file(CrossingFillerName), Picture(ConnectorCellWidth, SpacerCellHeight)},
    };
    for (int sides = 1; sides < SideCombinations; ++sides)
        images.push_back(
            {file(JunctionImageNames[sides].standard), Junction(sides, BoxCellHeight)});
    for (int sides = 1; sides < SideCombinations; ++sides)
        images.push_back(
            {file(JunctionImageNames[sides].narrow), Junction(sides, NarrowCellHeight)});
    return images;
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
    std::vector<Image> images = ImageSetPictures();
    if (static_cast<int>(images.size()) != ImageCount) return 1;

    std::ostringstream source;
    source
        << "// Generated at build time by tools/make_connector_images: the connector image set.\n"
           "#include \"html/image_set.h\"\n\nnamespace {\n";
    for (size_t i = 0; i < images.size(); ++i) {
        std::vector<unsigned char> gif;
        if (!Encode(images[i].picture, gif)) return 1;
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
