#include "runtime/conversions.h"
#include "runtime/cp1251.h"

#include <gtest/gtest.h>

#include <limits>

#include <cmath>

namespace {

struct StrRow {
    const char* name;
    QString text;
    QString expected;
};

class StrTest : public ::testing::TestWithParam<StrRow> {};

TEST_P(StrTest, GivesTheClassicText)
{
    EXPECT_EQ(GetParam().text.toStdString(), GetParam().expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, StrTest,
    ::testing::Values(
        StrRow{"WholeSingle", strSingle(75.0f), " 75"},
        StrRow{"TwoThirdsSingle", strSingle(float(2.0 / 3.0 * 100.0)), " 66.66666"},
        StrRow{"ThirdDouble", strDouble(100.0 / 3.0), " 33.3333333333333"},
        StrRow{"TwoThirdsDouble", strDouble(200.0 / 3.0), " 66.6666666666667"},
        StrRow{"ZeroDouble", strDouble(0.0), " 0"},
        StrRow{"HundredDouble", strDouble(100.0), " 100"},
        StrRow{"NegativeInt", strInt(-4), "-4"},
        StrRow{"PositiveInt", strInt(5), " 5"},
        StrRow{"ZeroInt", strInt(0), " 0"},
        StrRow{"HalfHasNoLeadingZero", strSingle(0.5f), " .5"},
        StrRow{"NegativeHalf", strDouble(-0.5), "-.5"},
        StrRow{"SmallFraction", strDouble(0.12), " .12"},
        StrRow{"SingleReachesExponent", strSingle(12345678.0f), " 1.234568E+07"},
        StrRow{"VerySmall", strDouble(0.00001), " 1E-05"},
        StrRow{"SingleRoundsUp", strSingle(99.999999f), " 100"},
        StrRow{"PlainWhole", plainInt(75), "75"},
        StrRow{"PlainNegative", plainInt(-12), "-12"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ValRow {
    const char* name;
    QString text;
    double expected;
};

class ValTest : public ::testing::TestWithParam<ValRow> {};

TEST_P(ValTest, ReadsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(val(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValTest,
    ::testing::Values(ValRow{"BlanksInside", " 2 45 7", 2457}, ValRow{"TrailingBlank", "4 ", 4},
                      ValRow{"LeadingBlank", " 4", 4}, ValRow{"StopsAtComma", "1,5", 1},
                      ValRow{"NoNumber", "abc", 0}, ValRow{"Empty", "", 0}, ValRow{"Negative", "-12.5x", -12.5},
                      ValRow{"Fraction", ".25", 0.25}, ValRow{"Exponent", "1E3", 1000},
                      ValRow{"ExponentWithoutDigits", "2e", 2}, ValRow{"TabsAndLineFeeds", "\t3\n4", 34},
                      ValRow{"TwoMarkDigits", " 4", 4}, ValRow{"FortyFive", "45", 45}, ValRow{"SignAlone", "-", 0},
                      ValRow{"DExponent", "1D2", 100},
                      ValRow{"BeyondDoubleIsInfinite", "1E400", std::numeric_limits<double>::infinity()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToInt16, RoundsHalfToEvenAndRefusesOverflow)
{
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(32767.0), 32767);
    EXPECT_EQ(toInt16(-32768.0), -32768);
    EXPECT_FALSE(toInt16(32768.0));
    EXPECT_FALSE(toInt16(-32769.0));
    EXPECT_FALSE(toInt16(std::nan("")));
}

TEST(ParseNumber, AcceptsOnlyAWholeNumberText)
{
    EXPECT_EQ(parseNumber(" 30 "), 30.0);
    EXPECT_EQ(parseNumber("-7"), -7.0);
    EXPECT_EQ(parseNumber("2.5"), 2.5);
    EXPECT_FALSE(parseNumber(""));
    EXPECT_FALSE(parseNumber("   "));
    EXPECT_FALSE(parseNumber("abc"));
    EXPECT_FALSE(parseNumber("12abc"));
    EXPECT_FALSE(parseNumber("1 2"));
    EXPECT_FALSE(parseNumber("."));
}

TEST(TrimBlanks, RemovesSpacesOnlyAtBothEnds)
{
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(trimBlanks("    "), "");
}

TEST(FixedText, CutsPadsAndStartsBlank)
{
    FixedText<5> field;
    EXPECT_EQ(field.text(), "     ");
    field = "ab";
    EXPECT_EQ(field.text(), "ab   ");
    field = "abcdefgh";
    EXPECT_EQ(field.text(), "abcde");
    field = "";
    EXPECT_EQ(field.text(), "     ");
}

TEST(UpperCase, CoversCyrillicWithYoAndLeavesOthers)
{
    EXPECT_EQ(upperCase(QStringLiteral("москва ёлка")), QStringLiteral("МОСКВА ЁЛКА"));
    EXPECT_EQ(upperCase(QStringLiteral("moscow")), QStringLiteral("MOSCOW"));
    EXPECT_EQ(upperCase(QStringLiteral("іїєўґђљњћџѕјѓќ")), QStringLiteral("ІЇЄЎҐЂЉЊЋЏЅЈЃЌ"));
    EXPECT_EQ(upperCase(QStringLiteral("5$ µ,«»")), QStringLiteral("5$ µ,«»"));
}

TEST(Cp1251, RoundTripsEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(toCp1251(fromCp1251(all)), all);
    EXPECT_EQ(fromCp1251(QByteArray("\xC0\xFF\xA8\xB8\xB9")), QStringLiteral("АяЁё№"));
    EXPECT_EQ(toCp1251(QStringLiteral("Ж€")), QByteArray("\xC6\x88"));
    EXPECT_EQ(toCp1251(QStringLiteral("日")), QByteArray("?"));
}

} // namespace
