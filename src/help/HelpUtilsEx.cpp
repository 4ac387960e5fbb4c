#include "help/HelpUtilsEx.h"

#include <algorithm>

#include "base/Locale.h"
#include "utils/ConfigUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

// Includes and values may refer to themselves; after this many insertions,
// or once the text has grown this large, constructs are only removed.
constexpr int kMaxInsertions = 256;
constexpr std::size_t kMaxExpandedSize = std::size_t{256} << 10;
// Topic trees deeper than this are not listed further.
constexpr int kMaxLinkDepth = 32;

constexpr std::string_view kLinksToChildren = "linkstochilds";
constexpr std::string_view kLinksToChildrenRecursive = "linkstochildsrecursive";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && AnsiSameText(text.substr(0, prefix.size()), prefix);
}

bool IsHeader(std::string_view line) {
    return !line.empty() && line.front() == '[';
}

// A value that is an address is shown underlined, so that it reads as a link.
std::string ValueInsertion(const std::string& value) {
    const bool address = StartsWithNoCase(value, "http://") ||
                         StartsWithNoCase(value, "https://") ||
                         StartsWithNoCase(value, "mailto:") || value.find('@') != std::string::npos;
    return address ? "{\\ul " + value + "}" : value;
}

// One expansion: the text, the scanning position and what is left of the
// budget of insertions.
class Expansion {
  public:
    Expansion(const THelpStore& store, std::string_view topicId, std::string text)
        : store_(store), topicId_(topicId), text_(std::move(text)) {}

    std::string Run() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            const char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
            if (pos_ == 0 && c == '!') {
                Include(0, 1);
            } else if (c == '\r' && next == '\n' && pos_ + 2 < text_.size() &&
                       text_[pos_ + 2] == '!') {
                Include(pos_ + 2, pos_ + 3);
            } else if (c == '{' && next == '?') {
                Condition();
            } else if (c == '>' && next == '!') {
                Include(pos_, pos_ + 2);
            } else if (!(c == '>' && NamedValue())) {
                ++pos_;
            }
        }
        return std::move(text_);
    }

  private:
    // Replaces text_[from, to) by `insertion` while the budget lasts, by
    // nothing after that. Scanning goes on at pos_.
    void Replace(std::size_t from, std::size_t to, const std::string& insertion) {
        const bool insert =
            budget_ > 0 && text_.size() - (to - from) + insertion.size() <= kMaxExpandedSize;
        if (!insertion.empty())
            --budget_;
        text_.replace(from, to - from, insert ? insertion : std::string());
    }

    void Include(std::size_t deleteFrom, std::size_t nameFrom) {
        const std::size_t nameEnd =
            std::min(text_.find_first_of(std::string_view("\0\r }", 4), nameFrom), text_.size());
        const std::string name = text_.substr(nameFrom, nameEnd - nameFrom);
        Replace(deleteFrom, nameEnd, budget_ > 0 ? store_.TopicText(name) : std::string());
    }

    void Condition() {
        const std::size_t nameFrom = pos_ + 2;
        const std::size_t nameEnd = text_.find_first_of(" \r\n}", nameFrom);
        if (nameEnd == std::string::npos) {
            text_.erase(pos_);
            return;
        }
        const std::string name = text_.substr(nameFrom, nameEnd - nameFrom);
        if (text_[nameEnd] == '}') {
            text_.erase(pos_, nameEnd + 1 - pos_);
            return;
        }
        // "{?", the name and the blank go; a line break stays with the text.
        text_.erase(pos_, nameEnd + (text_[nameEnd] == ' ' ? 1 : 0) - pos_);
        std::size_t close = pos_;
        for (int depth = 0; close < text_.size(); ++close) {
            if (text_[close] == '{') {
                ++depth;
            } else if (text_[close] == '}') {
                if (depth == 0)
                    break;
                --depth;
            }
        }
        if (store_.HasValue(name)) {
            if (close < text_.size())
                text_.erase(close, 1);
        } else {
            text_.erase(pos_, close < text_.size() ? close + 1 - pos_ : std::string::npos);
        }
    }

    // False when no name follows the ">", which then stays.
    bool NamedValue() {
        std::size_t nameEnd = pos_ + 1;
        while (nameEnd < text_.size() &&
               std::string_view("\0\r ).}", 6).find(text_[nameEnd]) == std::string_view::npos) {
            ++nameEnd;
        }
        if (nameEnd == pos_ + 1)
            return false;
        const std::string name = text_.substr(pos_ + 1, nameEnd - pos_ - 1);
        std::string insertion;
        if (budget_ > 0) {
            if (SameText(name, kLinksToChildren) || SameText(name, kLinksToChildrenRecursive)) {
                const int topic = store_.ResolveTopic(store_.FindTopic(topicId_));
                if (topic >= 0 && !topicId_.empty())
                    insertion =
                        store_.LinksToChildren(topic, SameText(name, kLinksToChildrenRecursive), 1);
            } else if (store_.HasValue(name)) {
                insertion = ValueInsertion(store_.Values().Values(name));
            }
        }
        Replace(pos_, nameEnd, insertion);
        return true;
    }

    const THelpStore& store_;
    std::string_view topicId_;
    std::string text_;
    std::size_t pos_ = 0;
    int budget_ = kMaxInsertions;
};

std::vector<std::string> CutTips(const std::string& text) {
    constexpr std::string_view kHeading = "{\\b";
    std::vector<std::string> pieces;
    std::size_t start = text.find(kHeading);
    while (start != std::string::npos) {
        start += kHeading.size();
        const std::size_t next = text.find(kHeading, start);
        pieces.push_back(text.substr(start, next == std::string::npos ? next : next - start));
        start = next;
    }
    return pieces;
}

}  // namespace

THelpStore& HelpStore() {
    static THelpStore store;
    return store;
}

std::vector<std::string> THelpStore::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(lines_.size());
    for (const StoreLine& line : lines_)
        lines.push_back(line.text);
    return lines;
}

void THelpStore::Merge(const void* contributor, const std::vector<std::string>& lines) {
    std::size_t at = lines_.size();
    for (std::size_t i = lines_.size(); i-- > 0;) {
        if (lines_[i].contributor == contributor) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            at = i;
        }
    }
    std::vector<StoreLine> added;
    added.reserve(lines.size());
    for (const std::string& line : lines)
        added.push_back({line, contributor});
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
}

void THelpStore::Remove(const void* contributor) {
    std::erase_if(lines_, [&](const StoreLine& line) { return line.contributor == contributor; });
}

void THelpStore::AddValue(std::string_view name, std::string_view value) {
    values_.Add(std::string(name) + "=" + std::string(value));
}

int THelpStore::FindTopic(std::string_view id) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string& line = lines_[i].text;
        if (line.size() == id.size() + 2 && line.front() == '[' && line.back() == ']' &&
            AnsiSameText(std::string_view(line).substr(1, id.size()), id)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int THelpStore::ResolveTopic(int index) const {
    // An alias chain longer than the store has lines has gone round.
    for (int steps = 0; index >= 0 && index + 1 < Count(); ++steps) {
        const std::string& title = Line(index + 1);
        if (title.empty() || title.front() != '!')
            return index;
        if (steps >= Count())
            return -1;
        index = FindTopic(std::string_view(title).substr(1));
    }
    return index;
}

std::string THelpStore::TopicText(std::string_view id) const {
    const int topic = ResolveTopic(FindTopic(id));
    std::string text;
    if (topic < 0)
        return text;
    for (int i = topic + 1; i < Count() && !IsHeader(Line(i)); ++i) {
        if (i > topic + 1)
            text += "\r\n";
        text += Line(i);
    }
    return text;
}

std::string THelpStore::TopicTitle(int index) const {
    const int topic = ResolveTopic(index);
    if (topic < 0 || topic + 1 >= Count() || IsHeader(Line(topic + 1)))
        return {};
    return Expand({}, Line(topic + 1));
}

std::string THelpStore::TopicId(int index) const {
    if (index < 0 || index >= Count())
        return {};
    const std::string& header = Line(index);
    return header.size() < 2 ? std::string() : header.substr(1, header.size() - 2);
}

std::vector<int> THelpStore::Children(std::string_view id) const {
    const std::string prefix = "[" + std::string(id) + ".";
    std::vector<int> children;
    for (int i = 0; i < Count(); ++i) {
        const std::string_view line = Line(i);
        if (!StartsWithNoCase(line, prefix))
            continue;
        const std::string_view rest = line.substr(prefix.size());
        if (rest.substr(0, rest.find(']')).find('.') == std::string_view::npos)
            children.push_back(i);
    }
    return children;
}

std::string THelpStore::LinksToChildren(int index, bool recursive, int depth) const {
    std::string links;
    if (index < 0 || depth > kMaxLinkDepth)
        return links;
    // A topic is listed once: repeated headers would repeat whole subtrees
    // and, level by level, grow the list exponentially.
    std::vector<std::string> listed;
    for (int child : Children(TopicId(index))) {
        const std::string id = TopicId(child);
        if (std::any_of(listed.begin(), listed.end(),
                        [&](const std::string& other) { return AnsiSameText(other, id); }))
            continue;
        listed.push_back(id);
        if (!links.empty())
            links += "\r\n";
        for (int i = 1; i < depth; ++i)
            links += "\\tab";
        links += "{\\link " + id + "}";
        if (recursive) {
            const std::string below = LinksToChildren(child, true, depth + 1);
            if (!below.empty())
                links += "\r\n" + below;
        }
    }
    return links;
}

std::string THelpStore::Expand(std::string_view topicId, std::string text) const {
    return Expansion(*this, topicId, std::move(text)).Run();
}

std::vector<std::string> THelpStore::Tips() const {
    constexpr std::string_view kTips = "App.Tips";
    std::vector<std::string> tips = CutTips(Expand(kTips, TopicText(kTips)));
    for (std::string& tip : tips)
        tip = "{\\b " + tip;
    return tips;
}

std::vector<std::string> THelpStore::PlainTips() const {
    std::vector<std::string> tips = CutTips(TopicText("App.Tips"));
    for (std::string& tip : tips) {
        std::string plain;
        for (char c : tip) {
            if (c == '\r') {
                plain += "\r\n\r\n";
            } else if (c != '}' && c != '\n') {
                plain += c;
            }
        }
        tip = std::move(plain);
    }
    return tips;
}

void THelpStore::Dump(const std::string& fileName) const {
    TAppIni ini;
    ini.UseMemIni = true;
    // The dump is asked for on the command line: a file that cannot be
    // written (read-only folder, full disk) is reported, not passed over.
    ini.RaiseErrors = true;
    ini.RaiseOpenErrors = true;
    ini.SetFileName(NativePath(fileName));
    // A dump of an earlier, longer help leaves nothing behind.
    ini.EraseSection("Help");
    ini.EraseSection("Links");
    ini.WriteStrings("Help", TStringList(Lines()));
    ini.WriteStrings("Links", values_);
    ini.Close();
}

}  // namespace nimbra
