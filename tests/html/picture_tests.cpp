// The chart's SVG picture: cropped to the rows and columns in use with 8 pixels around, its size
// stated in millimetres (96 pixels per inch, at most 160 mm wide), Box texts escaped and
// styled, and nothing in it that points outside the file. Its pixels against the page's in a
// browser: tests/e2e/pictures.sh.
#include "html/picture.h"
#include "html_test.h"

#include <functional>

using namespace htmltest;

namespace {

struct PictureCase {
    const char* name;
    std::function<void()> build;
    const char* size; // the svg element's size attributes
    const char* part; // a piece of the picture that must be there
};

const PictureCase Cases[] = {
    {"OneBoxInTheMiddle",
     [] {
         // U+FFFE and U+FFFF are UTF-8 that XML may not carry
         SetBox(BoxOf(5, 3), {"A&B <x>\x01\xEF\xBF\xBE\xEF\xBF\xBF", "b", "c"},
                {"100", "111", "001"});
     },
     R"(width="43.92mm" height="14.82mm" viewBox="0 0 166 56")",
     "<text x=\"83\" y=\"19\" font-weight=\"bold\">A&amp;B &lt;x&gt;</text>\n"
     "<text x=\"83\" y=\"31\" font-weight=\"bold\" font-style=\"italic\" id=\"u1\" "
     "text-decoration=\"underline\">b</text>\n"
     "<text x=\"83\" y=\"43\" id=\"u2\" text-decoration=\"underline\">c</text>\n"},
    {"LineFromABoxIntoTheEmptyNarrowRowIsOneShape",
     [] {
         SetBox(BoxOf(0, 0), {"Top"});
         VConnector[VConnectorOf(0, 0)] = 1;
     },
     R"(width="43.92mm" height="22.23mm" viewBox="0 0 166 84")", R"(d="M82 48h2v19h-2z")"},
    {"LineThroughAnEmptyBoxBetweenTwoBoxesIsOneShape",
     [] { SetBox(225, {"A"}), SetBox(227, {"B"}), HConnector[32] = HConnector[33] = 1; },
     R"(width="128.59mm" height="14.82mm" viewBox="0 0 486 56")", R"(d="M158 27h170v2h-170z")"},
    {"ColoursInFarCornersKeepTheWholeGrid160mmWide",
     [] { Red[BoxOf(0, 0)] = 255, Blue[BoxOf(13, 6)] = 300; },
     R"(width="160.00mm" height="93.78mm" viewBox="0 0 1126 660")",
     R"(<rect x="968" y="612" width="150" height="40" fill="#0000FF"/>)"},
};

void PrintTo(const PictureCase& c, std::ostream* out) { *out << c.name; }

class PictureTest : public HtmlTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(PictureTest, CroppedSizedEscapedAndSelfContained) {
    GetParam().build();
    const ChartPicture picture = BuildChartPicture();
    EXPECT_NE(picture.svg.find(GetParam().size), Text::npos) << picture.svg;
    EXPECT_NE(picture.svg.find(GetParam().part), Text::npos) << picture.svg;
    for (const char* outside : {"href", "<script", "url(", "<image", "@import", "<style"})
        EXPECT_EQ(picture.svg.find(outside), Text::npos) << outside;
    EXPECT_EQ(BuildChartPicture().svg, picture.svg); // nothing left over in the working tables
}

INSTANTIATE_TEST_SUITE_P(Charts, PictureTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return Text(info.param.name); });

} // namespace
