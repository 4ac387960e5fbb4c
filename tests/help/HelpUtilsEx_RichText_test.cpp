#include <gtest/gtest.h>

#include <functional>

#include "help/HelpUtilsEx.h"

namespace nimbra {
namespace {

const std::string kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset1 Tahoma;}"
    "{\\f1\\fmodern\\fprq1\\fcharset1 Courier New;}}"
    "{\\colortbl \\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red128\\green128\\blue0;}"
    "\\f0\\fs16\\li150\\ri150 {";

struct RichTextCase {
    const char* name;
    std::string text;
    std::string body;  // what follows the header
    std::function<void(THelpRichTextSettings&)> adjust = [](THelpRichTextSettings&) {};
};

class HelpRichTextTest : public testing::TestWithParam<RichTextCase> {
  protected:
    HelpRichTextTest() {
        store.Merge(
            this, {"[App.Dialogs]", "Dialogs", "[App.Dialogs.Options]", "Options", "[App.Keyboard]",
                   "Keys", "[Accented]", "R\xC3\xA9sum\xC3\xA9", "[Untitled]", "[App]"});
    }
    THelpStore store;
};

TEST_P(HelpRichTextTest, WritesOneRtfDocument) {
    THelpRichTextSettings settings;
    GetParam().adjust(settings);
    EXPECT_EQ(store.ToRichText("App.Dialogs", GetParam().text, settings),
              kHeader + GetParam().body);
}

std::string Link(const std::string& target, const std::string& title) {
    return "{\\field{\\*\\fldinst{HYPERLINK \"help:" + target + "\"}}{\\fldrslt{\\ul\\cf1 " +
           title + "}}}";
}

INSTANTIATE_TEST_SUITE_P(
    Documents, HelpRichTextTest,
    testing::Values(
        RichTextCase{"TitleLineIsBold", "Title\r\nBody", "{\\b\\fs16 Title}\\par\\par Body}}"},
        RichTextCase{"BigFirstLineDoublesTheTitle", "T\r\nB", "{\\b\\fs32 T}\\par\\par B}}",
                     [](THelpRichTextSettings& s) { s.BigFirstLine = true; }},
        RichTextCase{"WithoutTitle", "T\r\nB", "T\\par\\par B}}",
                     [](THelpRichTextSettings& s) { s.ShowTitle = false; }},
        RichTextCase{"OneLineStillClosesItsTitle", "Only", "{\\b\\fs16 Only}}}"},
        RichTextCase{"EmptyLinesBeforeAndAfter", "T", "\\par {\\b\\fs16 T}\\par}}",
                     [](THelpRichTextSettings& s) {
                         s.InsertEmptyLine = true;
                         s.InsertLastEmptyLine = true;
                     }},
        RichTextCase{"CrWithoutLfAndLoneLf", "T\rA\nB", "{\\b\\fs16 T}\\par\\par A\nB}}"},
        RichTextCase{"UnderlineIsBlue", "T\r\nsee {\\ul x}, \\ulnone y",
                     "{\\b\\fs16 T}\\par\\par see {\\ul\\cf1 x}, \\ulnone y}}"},
        RichTextCase{"FormIsTheFixedFont", "T\r\n{\\form nimbra.exe}",
                     "{\\b\\fs16 T}\\par\\par {\\f1 nimbra.exe}}}"},
        RichTextCase{"AccentsAreCodePageEscapes", "Caf\xC3\xA9 \xE2\x82\xAC",
                     "{\\b\\fs16 Caf\\'e9 \\'80}}}"},
        RichTextCase{"BeyondTheCodePageIsUnicode", "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80",
                     "{\\b\\fs16 \\u20013?\\u25991? \\u-10179?\\u-8704?}}}"},
        RichTextCase{"InvalidUtf8IsAReplacementCharacter",
                     "a\xFF"
                     "b",
                     "{\\b\\fs16 a\\u-3?b}}}"},
        RichTextCase{"LinkShowsTheTargetsTitle", "T\r\n{\\link App.Keyboard}",
                     "{\\b\\fs16 T}\\par\\par {" + Link("App.Keyboard", "Keys") + "}}}"},
        RichTextCase{
            "RelativeLinkStartsAtTheCurrentTopic", "T\r\n{\\link .Options} more",
            "{\\b\\fs16 T}\\par\\par {" + Link("App.Dialogs.Options", "Options") + "} more}}"},
        RichTextCase{"LinkTitleIsEscaped", "{\\link Accented}",
                     "{\\b\\fs16 {" + Link("Accented", "R\\'e9sum\\'e9") + "}}}}"},
        RichTextCase{"LinkEndedByABlank", "{\\link App.Keyboard rest}",
                     "{\\b\\fs16 {" + Link("App.Keyboard", "Keys") + "rest}}}}"},
        RichTextCase{"LinksWithoutTitleVanish", "T\r\n{\\link Missing}{\\link Untitled}",
                     "{\\b\\fs16 T}\\par\\par {}{}}}"}),
    [](const auto& info) { return info.param.name; });

TEST(HelpRichTextHeaderTest, TakesTheViewsFontAndColour) {
    THelpStore store;
    THelpRichTextSettings settings;
    settings.FontName = "Segoe UI";
    settings.FontCharset = 0;
    settings.FontSize = 18;
    settings.TextRed = 1;
    settings.TextGreen = 2;
    settings.TextBlue = 3;
    EXPECT_TRUE(store.ToRichText({}, "x", settings)
                    .starts_with("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Segoe UI;}"
                                 "{\\f1\\fmodern\\fprq1\\fcharset0 Courier New;}}"
                                 "{\\colortbl \\red1\\green2\\blue3;\\red0\\green0\\blue255;"
                                 "\\red128\\green128\\blue0;}\\f0\\fs18\\li150\\ri150 {"));
}

}  // namespace
}  // namespace nimbra
