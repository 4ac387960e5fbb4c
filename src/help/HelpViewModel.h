#pragma once

// What the help viewer shows, without its window: the contents tree, the
// topics a search finds, the way back and forward, and the links of a
// topic's rich text.
#include <string>
#include <string_view>
#include <vector>

namespace nimbra {

class THelpStore;

// A help key ("!App.Keyboard") as a topic id ("App.Keyboard").
std::string TopicIdOf(std::string_view key);

struct THelpContentsNode {
    std::string Id;
    std::string Title;
    int Level = 0;  // 0 for the root
};

// The root topic and the topics below it, depth first in store order; each
// topic once and at most `maxDepth` levels deep, so a damaged help cannot
// make it endless. Topics without a title are left out with their subtree.
std::vector<THelpContentsNode> HelpContents(const THelpStore& store, std::string_view rootId,
                                            int maxDepth = 16);

// The topics (ids, in store order) whose title or text holds every word of
// `words`, letter case ignored; none for no words.
std::vector<std::string> FindTopics(const THelpStore& store, std::string_view words);

// The topics visited, for Back and Forward.
class THelpHistory {
  public:
    // A new topic drops what lay ahead; visiting the current one again does
    // nothing.
    void Visit(const std::string& id);
    bool CanGoBack() const { return position_ > 0; }
    bool CanGoForward() const { return position_ + 1 < topics_.size(); }
    const std::string& Back();
    const std::string& Forward();
    const std::string& Current() const;

  private:
    std::vector<std::string> topics_;
    std::size_t position_ = 0;
};

// The character that marks the ends of a link's text once the rich text is
// shown; the private-use U+E000, never in help text.
inline constexpr wchar_t kLinkMark = 0xE000;

struct TMarkedLinks {
    std::string RichText;              // each link's text between two marks
    std::vector<std::string> Targets;  // the links in order: "help:..." or an address
};

// Turns the hyperlink fields of rich text into marked, underlined text, so
// that a rich edit control that knows no fields shows them and the viewer
// finds each link's place by its marks.
TMarkedLinks MarkLinks(std::string_view richText);

}  // namespace nimbra
