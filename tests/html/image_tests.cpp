// The image set as a browser gets it: the 34 files written beside a page, read back with giflib,
// each of its size, transparent, with black lines exactly where image_set.tsv puts them.
#include "html_test.h"

#include <gif_lib.h>

using namespace htmltest;

// Row by row, '#' for a black pixel, '.' for a transparent one and '?' for anything else.
static Text Pixels(GifFileType* gif) {
    GraphicsControlBlock control{};
    EXPECT_EQ(DGifSavedExtensionToGCB(gif, 0, &control), GIF_OK);
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map =
        frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    Text pixels;
    for (int i = 0; i < frame.ImageDesc.Width * frame.ImageDesc.Height; ++i) {
        const int index = frame.RasterBits[i];
        const GifColorType c = index < map->ColorCount ? map->Colors[index] : GifColorType{9, 9, 9};
        pixels += index == control.TransparentColor ? '.' : c.Red + c.Green + c.Blue ? '?' : '#';
    }
    return pixels;
}

TEST_F(HtmlTest, EveryImageReadsBackWithItsSizeTransparencyAndLines) {
    ASSERT_TRUE(WriteMissingImages(ProgramDir));
    const auto images = Cases("html/image_set.tsv");
    EXPECT_EQ(EntryCount("gfx"), images.size());
    for (const auto& image : images) {
        const int width = std::stoi(image[1]), height = std::stoi(image[2]);
        Text expected(width * height, '.');
        std::istringstream rectangles(image[3]);
        for (int left, top, right, bottom; rectangles >> left >> top >> right >> bottom;)
            for (int y = top; y <= bottom; ++y)
                expected.replace(y * width + left, right - left + 1, right - left + 1, '#');
        int error = 0;
        GifFileType* gif = DGifOpenFileName(Path("gfx/strek_" + image[0] + ".gif").c_str(), &error);
        ASSERT_TRUE(gif && DGifSlurp(gif) == GIF_OK) << image[0];
        EXPECT_EQ(std::tuple(gif->SWidth, gif->SHeight, gif->ImageCount),
                  std::tuple(width, height, 1));
        EXPECT_EQ(Pixels(gif), expected) << image[0];
        DGifCloseFile(gif, &error);
    }
}
