// Numbered fonts: pixel sizes at 96 dots per inch, style flags, replacement, and the face that
// "Tahoma" resolves to.
#include "gui_test.h"

#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QPushButton>

namespace {

const QFont& FontOf(Handle handle) { return *reinterpret_cast<const QFont*>(handle); }

using Fonts = GuiTest;

TEST_F(Fonts, PointSizesBecomePixelSizesAt96DotsPerInch) {
    EXPECT_EQ(FontOf(LoadNumberedFont(1, "Tahoma", 8, FONT_BOLD)).pixelSize(), 11);
    EXPECT_EQ(FontOf(LoadNumberedFont(3, "Tahoma", 7)).pixelSize(), 9);
    EXPECT_EQ(FontOf(LoadNumberedFont(5, "Tahoma", 12)).pixelSize(), 16);
    EXPECT_EQ(FontOf(LoadNumberedFont(6, "Tahoma", 10)).pixelSize(), 13); // 13.33 rounds down
    EXPECT_EQ(QFontInfo(FontOf(FontHandle(1))).pixelSize(), 11);
    EXPECT_EQ(QFontInfo(FontOf(FontHandle(3))).pixelSize(), 9);
}

TEST_F(Fonts, StyleFlags) {
    const QFont& plain = FontOf(LoadNumberedFont(11, "Tahoma", 7));
    EXPECT_FALSE(plain.bold() || plain.italic() || plain.underline() || plain.strikeOut());
    const QFont& all =
        FontOf(LoadNumberedFont(8, "Tahoma", 7, FONT_BOLD | FONT_ITALIC | FONT_UNDERLINE));
    EXPECT_TRUE(all.bold());
    EXPECT_TRUE(all.italic());
    EXPECT_TRUE(all.underline());
    EXPECT_FALSE(all.strikeOut());
    EXPECT_TRUE(FontOf(LoadNumberedFont(12, "Tahoma", 7, FONT_STRIKEOUT)).strikeOut());
    EXPECT_TRUE(QFontInfo(all).bold());
    EXPECT_TRUE(QFontInfo(all).italic());
}

TEST_F(Fonts, LoadingANumberAgainReplacesTheFont) {
    const Handle first = LoadNumberedFont(2, "Tahoma", 8);
    const Handle second = LoadNumberedFont(2, "Tahoma", 8, FONT_BOLD);
    EXPECT_NE(first, second);
    EXPECT_EQ(FontHandle(2), second);
    EXPECT_EQ(FontHandle(9), 0);
    OpenTestWindow(300);
    AddButton(1, 0, 0, 50, 20, "x");
    SetGadgetFontHandle(1, second);
    SetGadgetFontHandle(1, first); // freed: not a font any more
    EXPECT_TRUE(static_cast<QPushButton*>(GadgetWidget(1))->font().bold());
}

TEST_F(Fonts, TahomaIsARealSansSerifFace) {
    const QFontInfo info(FontOf(LoadNumberedFont(2, "Tahoma", 8)));
    const bool wineTahoma = QFile::exists("/usr/share/wine/fonts/tahoma.ttf");
    if (wineTahoma)
        EXPECT_EQ(info.family(), "Tahoma");
    else
        EXPECT_TRUE(info.family() == "Tahoma" || info.family() == "DejaVu Sans")
            << info.family().toStdString();
    EXPECT_FALSE(info.fixedPitch());
    // An unknown face falls back to the same sans-serif, never to a monospaced one.
    const QFontInfo unknown(FontOf(LoadNumberedFont(4, "No Such Face", 8)));
    EXPECT_FALSE(unknown.fixedPitch());
    EXPECT_EQ(unknown.pixelSize(), 11);
}

} // namespace
