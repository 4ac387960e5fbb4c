#include "utils/ConfigFunUtils.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "base/Exception.h"

namespace nimbra {
namespace {

struct IntCase {
    const char* name;
    const char* text;
    std::optional<int> value;
};

class StrToIntTest : public testing::TestWithParam<IntCase> {};

TEST_P(StrToIntTest, AcceptsOnlyWholeNumbersInRange) {
    int value = 12345;
    EXPECT_EQ(TryStrToInt(GetParam().text, value), GetParam().value.has_value());
    EXPECT_EQ(value, GetParam().value.value_or(12345));
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrToIntTest,
    testing::Values(
        IntCase{"Zero", "0", 0}, IntCase{"Plus", "+7", 7}, IntCase{"LeadingBlanks", "  -15", -15},
        IntCase{"Max", "2147483647", INT32_MAX}, IntCase{"Min", "-2147483648", INT32_MIN},
        IntCase{"AboveMax", "2147483648", std::nullopt},
        IntCase{"BelowMin", "-2147483649", std::nullopt}, IntCase{"Dollar", "$FF", 255},
        IntCase{"HexWraps", "0xFFFFFFFF", -1}, IntCase{"HexTooWide", "0x100000000", std::nullopt},
        IntCase{"TrailingBlank", "5 ", std::nullopt}, IntCase{"SignOnly", "-", std::nullopt},
        IntCase{"PrefixOnly", "0x", std::nullopt}, IntCase{"Empty", "", std::nullopt},
        IntCase{"Fraction", "1.5", std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(StrToInt64Test, CoversTheWholeRangeAndRaisesOnText) {
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64("-$8000000000000000"), std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_THROW(StrToInt64("x"), EConvertError);
}

struct FloatCase {
    const char* name;
    double value;
    int precision;
    const char* text;
};

class FloatToStrTest : public testing::TestWithParam<FloatCase> {};

TEST_P(FloatToStrTest, WritesTheGeneralFormat) {
    EXPECT_EQ(FloatToStrG(GetParam().value, GetParam().precision, '.'), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FloatToStrTest,
    testing::Values(FloatCase{"Zero", 0.0, 15, "0"}, FloatCase{"Integer", 42.0, 15, "42"},
                    FloatCase{"Fraction", 2.5, 15, "2.5"},
                    FloatCase{"Negative", -0.75, 15, "-0.75"},
                    FloatCase{"SingleRoundsToSeven", 0.1f, 7, "0.1"},
                    FloatCase{"DoubleKeepsFifteen", 1.0 / 3.0, 15, "0.333333333333333"},
                    FloatCase{"SmallStaysFixed", 0.00001, 15, "0.00001"},
                    FloatCase{"SmallerTurnsScientific", 0.0000015, 15, "1.5E-6"},
                    FloatCase{"LargeTurnsScientific", 1e20, 15, "1E20"},
                    FloatCase{"LastFixedBeforePrecision", 123456.0, 6, "123456"},
                    FloatCase{"RoundsUpAcrossDigits", 999999.5, 6, "1E6"}),
    [](const auto& info) { return info.param.name; });

TEST(FloatTextTest, ReadsWithTheGivenSeparatorOnly) {
    double value = 0;
    EXPECT_TRUE(TryStrToFloat(" 2,5 ", value, ','));
    EXPECT_EQ(value, 2.5);
    EXPECT_FALSE(TryStrToFloat("2.5", value, ','));
    EXPECT_TRUE(TryStrToFloat("-1.5E-6", value, '.'));
    EXPECT_EQ(value, -1.5e-6);
    EXPECT_TRUE(TryStrToFloat("+3", value, '.'));
    EXPECT_EQ(value, 3.0);
    EXPECT_FALSE(TryStrToFloat("", value, '.'));
    EXPECT_FALSE(TryStrToFloat("1x", value, '.'));
    EXPECT_FALSE(TryStrToFloat("-+1", value, '.'));
    EXPECT_EQ(FloatToStrG(2.5, 15, ','), "2,5");
}

TEST(DateTextTest, FollowsTheOrderAndSeparatorOfTheShortDateFormat) {
    TFormatSettings german;
    german.ShortDateFormat = "dd.MM.yyyy";
    german.DateSeparator = '.';
    TDateTime value = 0;
    ASSERT_TRUE(TryStrToDate("29.02.2024", value, german));
    EXPECT_EQ(value, EncodeDate(2024, 2, 29));
    EXPECT_FALSE(TryStrToDate("30.02.2024", value, german));
    EXPECT_FALSE(TryStrToDate("02/29/2024", value, german));

    TFormatSettings us;
    ASSERT_TRUE(TryStrToDate("2/29/2024", value, us));
    EXPECT_EQ(value, EncodeDate(2024, 2, 29));
    ASSERT_TRUE(TryStrToDateTime("12/31/1999 11:30:15 PM", value, us));
    EXPECT_NEAR(value, EncodeDate(1999, 12, 31) + EncodeTime(23, 30, 15, 0), 1e-9);
    ASSERT_TRUE(TryStrToTime("12:05 AM", value, us));
    EXPECT_NEAR(value, EncodeTime(0, 5, 0, 0), 1e-9);
    EXPECT_FALSE(TryStrToTime("13:00 PM", value, us));
    EXPECT_FALSE(TryStrToTime("10", value, us));
    EXPECT_FALSE(TryStrToDateTime("1/2/2000 junk", value, us));
}

TEST(TrimTest, RemovesBlanksAndControlCharactersOnly) {
    EXPECT_EQ(Trim(" \t\r a b \x01"), "a b");
    EXPECT_EQ(Trim("\xC3\xA9"), "\xC3\xA9");
    EXPECT_EQ(Trim("   "), "");
}

}  // namespace
}  // namespace nimbra
