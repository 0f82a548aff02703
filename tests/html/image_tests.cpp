// The image set as a browser gets it: the 34 files written beside a page, read back with giflib
// and checked for their size, their transparency and every pixel of their lines.
#include "html/image_set.h"
#include "html_test.h"

#include <gif_lib.h>

#include <set>

using namespace htmltest;

namespace {

struct ExpectedImage {
    const char* name;
    int width, height;
    const char* lines; // "LRUD" arms of a junction, "H" a line across, "V" a line down, "" none
};

const ExpectedImage ExpectedImages[] = {
    {"middlehori", 10, 40, "H"},
    {"middlehori2", 10, 20, "H"},
    {"middle", 150, 8, "V"},
    {"middlehori_tom", 10, 8, ""},
    {"upmiddle_av", 150, 40, "D"},
    {"downmiddle_av", 150, 40, "U"},
    {"middleup", 150, 40, "UD"},
    {"rightmiddle_av", 150, 40, "R"},
    {"leftmiddlestop", 150, 40, "RD"},
    {"rightmiddlestop2", 150, 40, "RU"},
    {"downmiddleup", 150, 40, "RUD"},
    {"leftmiddle_av", 150, 40, "L"},
    {"rightmiddlestop", 150, 40, "LD"},
    {"leftmiddlestop3", 150, 40, "LU"},
    {"downmiddleup2", 150, 40, "LUD"},
    {"middle2", 150, 40, "LR"},
    {"leftmiddleleft", 150, 40, "LRD"},
    {"leftmiddleleft2", 150, 40, "LRU"},
    {"centercross", 150, 40, "LRUD"},
    {"upmiddle2_av", 150, 20, "D"},
    {"downmiddle2_av", 150, 20, "U"},
    {"middleup2", 150, 20, "UD"},
    {"rightmiddle2_av", 150, 20, "R"},
    {"rightmiddlestop4", 150, 20, "RD"},
    {"rightmiddlestop3", 150, 20, "RU"},
    {"rightdownmiddleup", 150, 20, "RUD"},
    {"leftmiddle2_av", 150, 20, "L"},
    {"leftmiddlestop2", 150, 20, "LD"},
    {"leftmiddlestop4", 150, 20, "LU"},
    {"leftdownmiddleup", 150, 20, "LUD"},
    {"middle3", 150, 20, "LR"},
    {"leftmiddleleft4", 150, 20, "LRD"},
    {"leftmiddleleft3", 150, 20, "LRU"},
    {"centercross2", 150, 20, "LRUD"},
};

bool Has(const char* lines, char side) { return Text(lines).find(side) != Text::npos; }

// The pixels that must be black: rows 19-20 of a 40-high picture (9-10 of a 20-high one),
// columns 74-75 of a 150-wide one; each arm runs from the picture's edge through the centre.
bool ShouldBeBlack(const ExpectedImage& image, int x, int y) {
    const int h = image.height;
    const bool onRow = (h == 40 && (y == 19 || y == 20)) || (h == 20 && (y == 9 || y == 10));
    const bool onColumn = image.width == 150 && (x == 74 || x == 75);
    if (Has(image.lines, 'H')) return onRow;
    if (Has(image.lines, 'V')) return onColumn;
    return (onRow && Has(image.lines, 'L') && x <= 75) ||
           (onRow && Has(image.lines, 'R') && x >= 74) ||
           (onColumn && Has(image.lines, 'U') && y <= h / 2) ||
           (onColumn && Has(image.lines, 'D') && y >= h / 2 - 1);
}

class ImageSetTest : public HtmlTest {};

TEST_F(ImageSetTest, EveryImageReadsBackWithItsSizeTransparencyAndLines) {
    ASSERT_TRUE(WriteMissingImages(dir.string() + "/"));
    std::set<Text> written;
    for (const auto& entry : fs::directory_iterator(dir / "gfx"))
        written.insert(entry.path().filename().string());
    std::set<Text> expected;
    for (const ExpectedImage& image : ExpectedImages)
        expected.insert(Text("strek_") + image.name + ".gif");
    EXPECT_EQ(written, expected);
    EXPECT_EQ(ImageSetSize, 34u);

    for (const ExpectedImage& image : ExpectedImages) {
        SCOPED_TRACE(image.name);
        fs::path path = dir / "gfx" / (Text("strek_") + image.name + ".gif");
        EXPECT_EQ(Slurp(path).substr(0, 6), "GIF89a");
        int error = 0;
        GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
        ASSERT_NE(gif, nullptr) << GifErrorString(error);
        ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
        EXPECT_EQ(gif->SWidth, image.width);
        EXPECT_EQ(gif->SHeight, image.height);
        ASSERT_EQ(gif->ImageCount, 1);
        const SavedImage& frame = gif->SavedImages[0];
        ASSERT_EQ(frame.ImageDesc.Width, image.width);
        ASSERT_EQ(frame.ImageDesc.Height, image.height);
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif, 0, &control), GIF_OK);
        const int transparent = control.TransparentColor;
        ASSERT_NE(transparent, NO_TRANSPARENT_COLOR);
        const ColorMapObject* map =
            frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        ASSERT_NE(map, nullptr);
        int wrong = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                int index = frame.RasterBits[y * image.width + x];
                bool black = false;
                if (index != transparent) {
                    ASSERT_LT(index, map->ColorCount);
                    const GifColorType& c = map->Colors[index];
                    EXPECT_TRUE(c.Red == 0 && c.Green == 0 && c.Blue == 0) << x << "," << y;
                    black = true;
                }
                if (black != ShouldBeBlack(image, x, y) && ++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << (black ? " black" : " clear");
            }
        EXPECT_EQ(wrong, 0);
        DGifCloseFile(gif, &error);
    }
}

TEST_F(ImageSetTest, ExistingFilesAreNeverReplaced) {
    fs::create_directory(dir / "gfx");
    Spit(dir / "gfx" / "strek_centercross.gif", "my own picture");
    fs::create_symlink(dir / "nowhere.gif", dir / "gfx" / "strek_middle.gif");
    ASSERT_TRUE(WriteMissingImages(dir.string() + "/"));
    EXPECT_EQ(Slurp(dir / "gfx" / "strek_centercross.gif"), "my own picture");
    EXPECT_TRUE(fs::is_symlink(dir / "gfx" / "strek_middle.gif"));
    EXPECT_FALSE(fs::exists(dir / "nowhere.gif"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "gfx"), {}), 34);

    // A second run finds everything in place and writes nothing.
    auto before = fs::last_write_time(dir / "gfx" / "strek_middle2.gif");
    ASSERT_TRUE(WriteMissingImages(dir.string() + "/"));
    EXPECT_EQ(fs::last_write_time(dir / "gfx" / "strek_middle2.gif"), before);
}

TEST_F(ImageSetTest, AFolderThatCannotHoldTheImagesFails) {
    Spit(dir / "gfx", "a file where the folder should be");
    EXPECT_FALSE(WriteMissingImages(dir.string() + "/"));
    EXPECT_FALSE(WriteMissingImages(dir.string() + "/missing/"));
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

} // namespace
