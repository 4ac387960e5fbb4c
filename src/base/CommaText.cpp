#include "base/CommaText.h"

namespace nimbra {

namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

// NUL included: it is data like any control character (the encoder quotes
// it), not the end of the text.
bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(std::string_view item) {
    // An empty item is quoted too: unquoted, a list holding only one empty
    // item would read back as an empty list.
    if (item.empty())
        return true;
    for (char c : item) {
        if (IsBlankOrControl(c) || c == kQuote || c == kDelimiter)
            return true;
    }
    return false;
}

// Reads a quoted item starting at the opening quote; leaves `pos` after the
// closing quote, or at the end for an unterminated item.
std::string ReadQuoted(std::string_view text, std::size_t& pos) {
    std::string item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == kQuote) {
            if (pos + 1 < text.size() && text[pos + 1] == kQuote) {
                item += kQuote;
                pos += 2;
                continue;
            }
            ++pos;
            return item;
        }
        item += text[pos++];
    }
    return item;
}

void SkipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && IsBlankOrControl(text[pos]))
        ++pos;
}

}  // namespace

std::string QuoteCommaTextItem(std::string_view item) {
    if (!NeedsQuotes(item))
        return std::string(item);
    std::string quoted(1, kQuote);
    for (char c : item) {
        if (c == kQuote)
            quoted += kQuote;
        quoted += c;
    }
    quoted += kQuote;
    return quoted;
}

std::string EncodeCommaText(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += kDelimiter;
        text += QuoteCommaTextItem(items[i]);
    }
    return text;
}

std::vector<std::string> DecodeCommaText(std::string_view text) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size()) {
        if (text[pos] == kQuote) {
            items.push_back(ReadQuoted(text, pos));
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && !IsBlankOrControl(text[pos]) && text[pos] != kDelimiter)
                ++pos;
            items.emplace_back(text.substr(start, pos - start));
        }
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == kDelimiter) {
            if (pos + 1 == text.size())
                items.emplace_back();
            ++pos;
            SkipBlanks(text, pos);
        }
    }
    return items;
}

}  // namespace nimbra
