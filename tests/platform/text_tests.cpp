#include "platform/text.h"

#include <gtest/gtest.h>

#include <climits>

TEST(NumberFormats, DecimalAndHexTextMatchPrintfFormats) {
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(-5), "-5");
    EXPECT_EQ(DecimalText(INT32_MIN), "-2147483648");
    EXPECT_EQ(HexText(10), "A");
    EXPECT_EQ(HexText(255), "FF");
    EXPECT_EQ(HexText(16), "10");
    EXPECT_EQ(HexText(0), "0");
    EXPECT_EQ(HexText(-1), "FFFFFFFF");
}

TEST(NumberFormats, DecimalValueReadsSignDigitsAndStopsAtJunk) {
    EXPECT_EQ(DecimalValue("  42"), 42);
    EXPECT_EQ(DecimalValue("12abc"), 12);
    EXPECT_EQ(DecimalValue("+7"), 7);
    EXPECT_EQ(DecimalValue("-0015"), -15);
    EXPECT_EQ(DecimalValue("abc"), 0);
    EXPECT_EQ(DecimalValue(""), 0);
    EXPECT_EQ(DecimalValue("- 3"), 0);
    EXPECT_EQ(DecimalValue("\t5"), 0); // only byte 32 is skipped
}

TEST(NumberFormats, DecimalValueWrapsModulo2To32) {
    EXPECT_EQ(DecimalValue("2147483648"), INT32_MIN);
    EXPECT_EQ(DecimalValue("4294967296"), 0);
    EXPECT_EQ(DecimalValue("4294967297"), 1);
    EXPECT_EQ(DecimalValue("-2147483648"), INT32_MIN);
}

TEST(NumberFormats, DecimalTextAndValueAreInversesAcrossTheRange) {
    for (int64_t v = INT32_MIN; v <= INT32_MAX; v += 65521)
        ASSERT_EQ(DecimalValue(DecimalText(static_cast<int32_t>(v))), v);
    EXPECT_EQ(DecimalValue(DecimalText(INT32_MAX)), INT32_MAX);
}

TEST(TextOperations, LeftMidRightFind) {
    EXPECT_EQ(TextMid("101", 2, 1), "0");
    EXPECT_EQ(TextMid("101", 0, 2), "10");
    EXPECT_EQ(TextMid("101", 4, 1), "");
    EXPECT_EQ(TextMid("101", 3, 9), "1");
    EXPECT_EQ(TextRight("1", 1), "1");
    EXPECT_EQ(TextRight("abc", 2), "bc");
    EXPECT_EQ(TextRight("abc", -1), "");
    EXPECT_EQ(TextLeft("abc", 5), "abc");
    EXPECT_EQ(TextLeft("abc", 0), "");
    EXPECT_EQ(TextFind("C:\\a.b\\c.txt", ".", 1), 5);
    EXPECT_EQ(TextFind("C:\\a.b\\c.txt", ".", 6), 9);
    EXPECT_EQ(TextFind("nodot", ".", 1), 0);
    EXPECT_EQ(TextFind("abc", "c", 4), 0);
    EXPECT_TRUE(TextEqual("Ab", "Ab"));
    EXPECT_FALSE(TextEqual("Ab", "ab"));
}

TEST(TextOperations, PathFolderKeepsTrailingSeparatorAndDropsQuotes) {
    const Text s(1, PathSeparator);
    EXPECT_EQ(PathFolder(s + "charts" + s + "org.kpv"), s + "charts" + s);
    EXPECT_EQ(PathFolder("org.kpv"), "");
    EXPECT_EQ(PathFolder("\"" + s + "charts" + s + "org.kpv\""), s + "charts" + s);
    EXPECT_EQ(PathFolder(""), "");
}

TEST(Colours, ComponentsRoundTrip) {
    int32_t c = RgbColour(16, 255, 10);
    EXPECT_EQ(c, 16 + 256 * 255 + 65536 * 10);
    EXPECT_EQ(RedOf(c), 16);
    EXPECT_EQ(GreenOf(c), 255);
    EXPECT_EQ(BlueOf(c), 10);
}

TEST(Encoding, ValidUtf8IsKeptAndWindows1252IsConverted) {
    EXPECT_EQ(TextAsUtf8("Caf\xC3\xA9"), "Caf\xC3\xA9");
    EXPECT_EQ(TextAsUtf8("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(TextAsUtf8("\x80"), "\xE2\x82\xAC");   // euro sign
    EXPECT_EQ(TextAsUtf8("\x81"), "\xC2\x81");       // undefined byte -> U+0081
    EXPECT_EQ(TextAsUtf8("\x9D"), "\xC2\x9D");
    EXPECT_EQ(TextAsUtf8("\xD8stfold"), "\xC3\x98stfold");
    EXPECT_FALSE(IsValidUtf8("\xC3"));            // truncated sequence
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));        // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));    // surrogate
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80")); // emoji
    EXPECT_TRUE(IsValidUtf8("plain"));
}
