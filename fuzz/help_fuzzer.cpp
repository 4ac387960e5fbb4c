// Help markup from anywhere: the input is a help store's lines, a NUL, and a
// topic text. Expanding it (includes, conditions, named values, directives)
// must end for self-referring markup, and the rich text of the result must
// be one RTF document of seven-bit text whatever bytes came in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "help/HelpUtilsEx.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            std::string_view line = text.substr(start, i - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            lines.emplace_back(line);
            start = i + 1;
        }
    }
    return lines;
}

void CheckRichText(const std::string& rtf) {
    Check(rtf.starts_with("{\\rtf1\\ansi\\deff0{\\fonttbl"));
    Check(rtf.ends_with("}}"));
    for (char c : rtf)
        Check(static_cast<unsigned char>(c) < 0x80);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view storeText = input.substr(0, split);
    const std::string_view topicText =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    nimbra::THelpStore store;
    store.Merge(&store, SplitLines(storeText));
    store.AddValue("appname", "Nimbra");
    store.AddValue("homepage", "https://www.example.com/");
    store.AddValue("supportemail", "support@example.com");
    store.AddValue("self", ">self>!App");
    store.AddValue("empty", "");

    nimbra::THelpRichTextSettings settings;
    settings.BigFirstLine = (size & 1) != 0;
    settings.InsertEmptyLine = (size & 2) != 0;
    const std::string expanded = store.Expand("App", std::string(topicText));
    CheckRichText(store.ToRichText("App", expanded, settings));

    // Every topic of the store, as the help window would show it.
    for (int i = 0; i < store.Count() && i < 64; ++i) {
        if (!store.Line(i).starts_with('['))
            continue;
        const std::string id = store.TopicId(i);
        (void)store.TopicTitle(i);
        (void)store.LinksToChildren(i, true, 1);
        CheckRichText(store.ToRichText(id, store.Expand(id, store.TopicText(id)), settings));
    }
    (void)store.Tips();
    (void)store.PlainTips();
    return 0;
}
