#include "help/HelpViewModel.h"

#include <algorithm>
#include <cctype>

#include "base/Locale.h"
#include "help/HelpUtilsEx.h"

namespace nimbra {

namespace {

constexpr std::string_view kFieldStart = "{\\field";
constexpr std::string_view kHyperlink = "HYPERLINK \"";
constexpr std::string_view kResult = "{\\fldrslt";
// The mark as an RTF Unicode escape with "?" for readers without Unicode.
constexpr std::string_view kRtfMark = "\\u57344?";

// The end (one past the closing brace) of the group opening at `open`, or
// npos when it is not closed; escaped braces do not count.
std::size_t GroupEnd(std::string_view rtf, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

bool IsHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

int HexValue(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0
               ? c - '0'
               : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
}

// A quoted field argument: backslash escapes undone, hex escapes as bytes.
std::string Unquote(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
        } else if (text[i + 1] == '\'' && i + 3 < text.size() && IsHex(text[i + 2]) &&
                   IsHex(text[i + 3])) {
            out += static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
            i += 3;
        } else {
            out += text[++i];
        }
    }
    return out;
}

// Topic text without its RTF control words and braces, for searching.
std::string PlainText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '}')
            continue;
        if (c == '\\' && i + 1 < text.size() &&
            std::isalpha(static_cast<unsigned char>(text[i + 1]))) {
            while (i + 1 < text.size() && std::isalnum(static_cast<unsigned char>(text[i + 1])))
                ++i;
            out += ' ';
            continue;
        }
        out += c;
    }
    return out;
}

void AddContents(const THelpStore& store, int header, int level, int maxDepth,
                 std::vector<THelpContentsNode>& nodes) {
    const std::string id = store.TopicId(header);
    const bool seen = std::any_of(nodes.begin(), nodes.end(), [&](const THelpContentsNode& n) {
        return AnsiSameText(n.Id, id);
    });
    // An alias stands for a topic listed in its own place.
    const bool alias = header + 1 < store.Count() && store.Line(header + 1).starts_with('!');
    std::string title = store.TopicTitle(header);
    if (seen || alias || title.empty() || level > maxDepth)
        return;
    nodes.push_back({id, std::move(title), level});
    for (int child : store.Children(id))
        AddContents(store, child, level + 1, maxDepth, nodes);
}

}  // namespace

std::string TopicIdOf(std::string_view key) {
    if (key.starts_with('!'))
        key.remove_prefix(1);
    return std::string(key);
}

std::vector<THelpContentsNode> HelpContents(const THelpStore& store, std::string_view rootId,
                                            int maxDepth) {
    std::vector<THelpContentsNode> nodes;
    const int root = store.FindTopic(rootId);
    if (root >= 0)
        AddContents(store, root, 0, maxDepth, nodes);
    return nodes;
}

std::vector<std::string> FindTopics(const THelpStore& store, std::string_view words) {
    std::vector<std::string> wanted;
    const std::string upper = AnsiUpperCase(words);
    for (std::size_t at = 0; at < upper.size();) {
        const std::size_t end = std::min(upper.find(' ', at), upper.size());
        if (end > at)
            wanted.push_back(upper.substr(at, end - at));
        at = end + 1;
    }
    std::vector<std::string> found;
    if (wanted.empty())
        return found;
    for (int i = 0; i < store.Count(); ++i) {
        if (!store.Line(i).starts_with('['))
            continue;
        const std::string id = store.TopicId(i);
        const std::string title = store.TopicTitle(i);
        const bool alias = i + 1 < store.Count() && store.Line(i + 1).starts_with('!');
        const bool listed = std::any_of(found.begin(), found.end(),
                                        [&](const std::string& f) { return AnsiSameText(f, id); });
        if (title.empty() || alias || listed)
            continue;
        const std::string text = AnsiUpperCase(title + " " + PlainText(store.TopicText(id)));
        if (std::all_of(wanted.begin(), wanted.end(),
                        [&](const std::string& w) { return text.find(w) != std::string::npos; }))
            found.push_back(id);
    }
    return found;
}

void THelpHistory::Visit(const std::string& id) {
    if (!topics_.empty() && AnsiSameText(topics_[position_], id))
        return;
    if (!topics_.empty())
        topics_.erase(topics_.begin() + static_cast<std::ptrdiff_t>(position_) + 1, topics_.end());
    topics_.push_back(id);
    position_ = topics_.size() - 1;
}

const std::string& THelpHistory::Back() {
    if (CanGoBack())
        --position_;
    return Current();
}

const std::string& THelpHistory::Forward() {
    if (CanGoForward())
        ++position_;
    return Current();
}

const std::string& THelpHistory::Current() const {
    static const std::string none;
    return topics_.empty() ? none : topics_[position_];
}

TMarkedLinks MarkLinks(std::string_view richText) {
    TMarkedLinks marked;
    std::size_t copied = 0;
    for (std::size_t at = richText.find(kFieldStart); at != std::string_view::npos;
         at = richText.find(kFieldStart, at)) {
        const std::size_t end = GroupEnd(richText, at);
        if (end == std::string_view::npos)
            break;
        const std::string_view field = richText.substr(at, end - at);
        const std::size_t link = field.find(kHyperlink);
        const std::size_t result = field.find(kResult);
        if (link == std::string_view::npos || result == std::string_view::npos) {
            at = end;
            continue;
        }
        const std::size_t targetFrom = link + kHyperlink.size();
        std::size_t targetEnd = targetFrom;
        while (targetEnd < field.size() && field[targetEnd] != '"')
            targetEnd += field[targetEnd] == '\\' ? 2 : 1;
        const std::size_t resultEnd = GroupEnd(field, result);
        // The shown text: the inside of the result group's own group.
        const std::size_t inner = field.find('{', result + 1);
        if (resultEnd == std::string_view::npos || inner == std::string_view::npos ||
            inner > resultEnd) {
            at = end;
            continue;
        }
        const std::size_t innerEnd = GroupEnd(field, inner);
        marked.RichText.append(richText.substr(copied, at - copied));
        marked.RichText += '{';
        marked.RichText += kRtfMark;
        marked.RichText.append(field.substr(inner + 1, innerEnd - inner - 2));
        marked.RichText += kRtfMark;
        marked.RichText += '}';
        marked.Targets.push_back(
            Unquote(field.substr(targetFrom, std::min(targetEnd, field.size()) - targetFrom)));
        copied = end;
        at = end;
    }
    marked.RichText.append(richText.substr(copied));
    return marked;
}

}  // namespace nimbra
