// The single-file page is the ordinary page with its images inline: once every data: URI is
// read back and named by the image whose bytes it holds, it equals the ordinary page byte for
// byte, so the two cannot drift apart. A user's own image beside the page wins over the
// built-in one. Chromium and LibreOffice on it: tests/e2e/pictures.sh.
#include "html/image_set.h"
#include "html/single_file.h"
#include "html_test.h"

#include <map>
#include <regex>

using namespace htmltest;

namespace {

Text FromBase64(const Text& text) {
    const Text digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    Text bytes;
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        if (c == '=') break;
        bits = (bits << 6) | static_cast<uint32_t>(digits.find(c));
        if ((count += 6) >= 8) bytes += static_cast<char>((bits >> (count -= 8)) & 0xFF);
    }
    return bytes;
}

using SingleFilePageTest = HtmlTest;

TEST_F(SingleFilePageTest, IsThePageWithItsImagesInline) {
    fs::copy_file(GoldenPath("connectors_3.kpv"), dir / "chart.kpv");
    ASSERT_EQ(WriteChartPage(Path("chart.kpv")), GeneratePageStatus::Done);
    const Text ordinary = Slurp(Path("chart.html"));
    const Text users = "GIF89a, drawn by the user";
    Spit(dir / "gfx" / "strek_middle2.gif", users);
    std::map<Text, Text> names = {{users, "strek_middle2.gif"}}; // the built-in one is unknown
    for (size_t i = 0; i < ImageSetSize; ++i)
        if (Text(ImageSet[i].fileName) != "strek_middle2.gif")
            names[Text(reinterpret_cast<const char*>(ImageSet[i].bytes), ImageSet[i].size)] =
                ImageSet[i].fileName;

    fs::remove(Path("chart.html"));
    ASSERT_EQ(WriteSingleFilePage(Path("chart.kpv")), GeneratePageStatus::Done);
    EXPECT_EQ(HtmlFileName, Path("chart.html"));
    const Text single = Slurp(Path("chart.html"));
    EXPECT_EQ(single.find("gfx/"), Text::npos);
    Text readBack;
    const std::regex uri("data:image/gif;base64,([A-Za-z0-9+/=]+)");
    auto last = single.cbegin();
    for (std::sregex_iterator at(single.begin(), single.end(), uri), end; at != end; ++at) {
        const Text bytes = FromBase64((*at)[1].str());
        ASSERT_EQ(names.count(bytes), 1u) << "unknown image " << (*at)[1].str();
        readBack.append(last, (*at)[0].first) += "gfx/" + names[bytes];
        last = (*at)[0].second;
    }
    readBack.append(last, single.cend());
    EXPECT_EQ(readBack, ordinary);
}

} // namespace
