#include "support/StringUtil.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

using Pieces = std::vector<std::string>;

TEST(StringUtil, TrimRemovesOuterWhiteSpaceOnly)
{
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\t\r\n x\v\f"), "x");
    EXPECT_EQ(TrimLeft("  a  "), "a  ");
    EXPECT_EQ(TrimRight("  a  "), "  a");
    // Bytes above 127 are not white space, even where a locale might say so.
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(StringUtil, CaseChangeLeavesHighBytes)
{
    EXPECT_EQ(ToUpper("abz AZ 09 \xEC"), "ABZ AZ 09 \xEC");
    EXPECT_EQ(ToLower("ABZ az \xC8"), "abz az \xC8");
}

TEST(StringUtil, ReplaceAllMakesOneForwardPass)
{
    // What a replacement forms with the text around it is not replaced again.
    EXPECT_EQ(ReplaceAll("abbb", "ab", "a"), "abb");
    EXPECT_EQ(ReplaceAll("aaab", "ab", "b"), "aab");
    EXPECT_EQ(ReplaceAll("aab", "ab", "bbaa"), "abbaa");   // rescanning grew this for ever
    EXPECT_EQ(ReplaceAll("abab", "ab", "bbaa"), "bbaabbaa");
    EXPECT_EQ(ReplaceAll("x-y-z", "-", ""), "xyz");
    EXPECT_EQ(ReplaceAll("abc", "abcd", "z"), "abc");
    EXPECT_EQ(ReplaceAll("banana", "na", "NA"), "baNANA");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("a.b", ".", ".."), "a..b");
    EXPECT_EQ(ReplaceChar("a\\b\\c", '\\', '/'), "a/b/c");
    EXPECT_EQ(ReplaceChar("aaa", 'a', 'a'), "aaa");

    TempDir dir;
    dir.Enter();
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(dir.Read("log.txt"), "ReplaceAll(): empty pattern ignored\n");
}

TEST(StringUtil, SplitKeepsInnerEmptyPiecesButNoTrailingOne)
{
    EXPECT_EQ(Split("", ","), Pieces{});
    EXPECT_EQ(Split("abc", ""), Pieces{});
    EXPECT_EQ(Split("abc", ","), Pieces{"abc"});
    EXPECT_EQ(Split("a,,b,", ","), (Pieces{"a", "", "b"}));
    EXPECT_EQ(Split(",a", ","), (Pieces{"", "a"}));
    EXPECT_EQ(Split(",", ","), Pieces{""});
    EXPECT_EQ(Split("a::b::", "::"), (Pieces{"a", "b"}));
    EXPECT_EQ(Split("a:::b", "::"), (Pieces{"a", ":b"}));
}

TEST(StringUtil, PaddingAndIntegers)
{
    EXPECT_EQ(PadLeft("ab", '*', 4), "**ab");
    EXPECT_EQ(PadRight("ab", '*', 4), "ab**");
    EXPECT_EQ(PadRight("abcd", '*', 2), "abcd");
    EXPECT_EQ(PadLeft("ab", '*', -3), "ab");
    EXPECT_EQ(FormatLong(7, '0', 3), "007");
    EXPECT_EQ(FormatLong(100, '0', 2), "100");
    EXPECT_EQ(FormatLong(INT64_MIN, '0', 0), "-9223372036854775808");
    EXPECT_EQ(IntToString(-5), "-5");
    EXPECT_EQ(FormatLong(-5, '0', 3), "-05");
    EXPECT_EQ(FormatLong(-5, ' ', 3), " -5");
    EXPECT_EQ(ByteToHex(0), "00");
    EXPECT_EQ(ByteToHex(255), "FF");
    EXPECT_EQ(ByteToHex(300), "2C");
    EXPECT_EQ(ByteToHex(-1), "FF");
}

TEST(StringUtil, ItalianNumberStyle)
{
    EXPECT_EQ(DecimalSeparator(), ',');
    EXPECT_EQ(ThousandsSeparator(), '.');
    EXPECT_EQ(GroupThousands(999), "999");
    EXPECT_EQ(GroupThousands(1000), "1.000");
    EXPECT_EQ(GroupThousands(1234567), "1.234.567");
    EXPECT_EQ(GroupThousands(999999999999), "999.999.999.999");
    EXPECT_EQ(GroupThousands(1234567890123), "1234.567.890.123");  // three separators at most
    EXPECT_EQ(GroupThousands(-100), "-100");
    EXPECT_EQ(GroupThousands(-1234), "-1.234");
    EXPECT_EQ(FormatDecimal(1000.5), "1.000,50");
    EXPECT_EQ(FormatDecimal(0), "0,00");
    EXPECT_EQ(FormatDecimal(9.999), "10,00");
    EXPECT_EQ(FormatDecimal(999999.996), "1.000.000,00");
    EXPECT_EQ(FormatDecimal(-1234.5), "-1.234,50");
    EXPECT_EQ(FormatDecimal(-0.001), "0,00");
    EXPECT_DOUBLE_EQ(ParseDecimal("1.000,5"), 1000.5);
    EXPECT_DOUBLE_EQ(ParseDecimal("-12,25"), -12.25);
    EXPECT_DOUBLE_EQ(ParseDecimal("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDecimal(FormatDecimal(1234567.25)), 1234567.25);
}

TEST(StringUtil, UrlEncodingRoundTripsAndToleratesBadEscapes)
{
    EXPECT_EQ(UrlEncode("a b"), "a%20b");
    EXPECT_EQ(UrlEncode("Az09-._~"), "Az09-._~");
    EXPECT_EQ(UrlEncode("a&b=\xEC/"), "a%26b%3D%EC%2F");
    EXPECT_EQ(UrlDecode("a%20b"), "a b");
    EXPECT_EQ(UrlDecode("%ec%EC"), "\xEC\xEC");
    EXPECT_EQ(UrlDecode("a%00b"), "ab");
    EXPECT_EQ(UrlDecode("%"), "%");
    EXPECT_EQ(UrlDecode("ab%4"), "ab%4");
    EXPECT_EQ(UrlDecode("%zz%4g"), "%zz%4g");
    const std::string all = [] {
        std::string bytes;
        for (int c = 1; c < 256; ++c)
            bytes += static_cast<char>(c);
        return bytes;
    }();
    EXPECT_EQ(UrlDecode(UrlEncode(all)), all);
}
