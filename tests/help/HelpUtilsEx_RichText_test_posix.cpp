#include <gtest/gtest.h>

#include "help/HelpUtilsEx.h"
#include "support/RtfReader.h"

namespace nimbra {
namespace {

using testing_support::ReadRtf;

TEST(HelpRichTextReaderTest, ARealReaderGetsTheTextAccentsAndCjk) {
    if (!testing_support::HaveRtfReader())
        GTEST_SKIP() << "unrtf is not installed (Debian package unrtf)";
    THelpStore store;
    store.Merge(&store, {"[App.Keyboard]", "Keys"});
    const std::string text =
        "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9EGr\xC3\xBC\xC3\x9F"
        "e\xE2\x80\x9C\r\n"
        "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 {\\ul underlined} {\\form code}\r\n"
        "See {\\link App.Keyboard}.";
    const auto reading = ReadRtf(store.ToRichText("App", text, THelpRichTextSettings()));
    ASSERT_TRUE(reading);
    EXPECT_NE(reading->text.find("Caf\xC3\xA9 \xE2\x82\xAC"), std::string::npos) << reading->text;
    EXPECT_NE(reading->text.find("\xE2\x80\x9EGr\xC3\xBC\xC3\x9F"
                                 "e\xE2\x80\x9C"),
              std::string::npos)
        << reading->text;
    EXPECT_NE(reading->text.find("\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80"), std::string::npos)
        << reading->text;
    EXPECT_NE(reading->text.find("underlined"), std::string::npos);
    EXPECT_NE(reading->html.find("<u><font color=\"#0000ff\">underlined</font></u>"),
              std::string::npos)
        << reading->html;
    EXPECT_NE(reading->html.find("<font face=\"Courier New\">code"), std::string::npos);
    // unrtf shows a link by its target only.
    EXPECT_NE(reading->html.find("help:App.Keyboard"), std::string::npos) << reading->html;
    EXPECT_NE(reading->html.find("<b>"), std::string::npos);
}

}  // namespace
}  // namespace nimbra
