#include "base/CommaText.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

using Items = std::vector<std::string>;

struct EncodeCase {
    const char* name;
    Items items;
    std::string text;
};

class EncodeCommaTextTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeCommaTextTest, EncodesAndDecodesBack) {
    EXPECT_EQ(EncodeCommaText(GetParam().items), GetParam().text);
    EXPECT_EQ(DecodeCommaText(GetParam().text), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EncodeCommaTextTest,
    testing::Values(EncodeCase{"NoItems", {}, ""}, EncodeCase{"Plain", {"a", "b", "c"}, "a,b,c"},
                    EncodeCase{"Blank", {"Start Menu", "x"}, "\"Start Menu\",x"},
                    EncodeCase{"Comma", {"a,b"}, "\"a,b\""},
                    EncodeCase{"Quotes", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
                    EncodeCase{"Tab", {"a\tb"}, "\"a\tb\""},
                    EncodeCase{"LineBreak", {"line1\r\nline2"}, "\"line1\r\nline2\""},
                    EncodeCase{"EmptyInTheMiddle", {"a", "", "b"}, "a,\"\",b"},
                    EncodeCase{"OnlyAnEmptyItem", {""}, "\"\""},
                    EncodeCase{"NonAscii", {"M\xC3\xBCnchen"}, "M\xC3\xBCnchen"},
                    EncodeCase{
                        "BackslashPath", {"C:\\Program Files\\x"}, "\"C:\\Program Files\\x\""}),
    [](const auto& info) { return info.param.name; });

struct DecodeCase {
    const char* name;
    std::string text;
    Items items;
};

class DecodeCommaTextTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeCommaTextTest, Decodes) {
    EXPECT_EQ(DecodeCommaText(GetParam().text), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeCommaTextTest,
    testing::Values(
        DecodeCase{"BlanksSeparate", "a b  c", {"a", "b", "c"}},
        DecodeCase{"LeadingAndTrailingBlanks", "  a , b  ", {"a", "b"}},
        DecodeCase{"EmptyBetweenCommas", "a,,b", {"a", "", "b"}},
        DecodeCase{"LeadingComma", ",a", {"", "a"}}, DecodeCase{"TrailingComma", "a,", {"a", ""}},
        DecodeCase{"CommaThenBlank", "a, ", {"a"}},
        DecodeCase{"UnterminatedQuote", "a,\"b c", {"a", "b c"}},
        DecodeCase{"QuoteRightAfterText", "\"a\"b", {"a", "b"}},
        DecodeCase{"QuoteInsideWord", "ab\"c", {"ab\"c"}},
        DecodeCase{"ControlCharactersSeparate",
                   "a\x01"
                   "b\nc",
                   {"a", "b", "c"}},
        DecodeCase{"OnlyBlanks", "   ", {}},
        DecodeCase{"NulSeparatesOutsideQuotes", std::string("a,b\0c", 5), {"a", "b", "c"}},
        DecodeCase{"NulIsDataInsideQuotes", std::string("\"a\0b\"", 5), {std::string("a\0b", 3)}}),
    [](const auto& info) { return info.param.name; });

TEST(CommaTextTest, RoundTripsEveryByteValue) {
    Items items;
    for (int c = 0; c < 256; ++c)
        items.push_back(std::string(1, static_cast<char>(c)) + "x");
    EXPECT_EQ(DecodeCommaText(EncodeCommaText(items)), items);
}

}  // namespace
}  // namespace nimbra
