#include <gtest/gtest.h>

#include "help/CommonAppHelp.h"
#include "help/HelpUtilsEx.h"
#include "support/RtfReader.h"

namespace nimbra {
namespace {

TEST(ProgramHelpReaderTest, ARealReaderShowsEveryTopicWithItsTitle) {
    if (!testing_support::HaveRtfReader())
        GTEST_SKIP() << "unrtf is not installed (Debian package unrtf)";
    TComponent program(nullptr);
    CreateHelpModules(&program);
    const THelpStore& store = HelpStore();
    int topics = 0;
    for (int i = 0; i < store.Count(); ++i) {
        const std::string id = store.TopicId(i);
        if (!store.Line(i).starts_with("[App"))
            continue;
        ++topics;
        const std::string rtf =
            store.ToRichText(id, store.Expand(id, store.TopicText(id)), THelpRichTextSettings());
        const auto reading = testing_support::ReadRtf(rtf);
        ASSERT_TRUE(reading) << id;
        EXPECT_NE(reading->text.find(store.TopicTitle(i)), std::string::npos)
            << id << ": " << reading->text.substr(0, 200);
    }
    EXPECT_GE(topics, 30);
}

}  // namespace
}  // namespace nimbra
