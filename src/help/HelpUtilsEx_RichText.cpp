#include <cstdio>

#include "base/Unicode.h"
#include "help/HelpCodePage.h"
#include "help/HelpUtilsEx.h"

namespace nimbra {

namespace {

constexpr std::string_view kUnderline = "\\ul ";
constexpr std::string_view kFixedFont = "\\form ";
constexpr std::string_view kLink = "\\link ";

void AppendHexEscape(std::string& out, unsigned char byte) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%02x", byte);
    out += hex;
}

// "\uN?": N is the UTF-16 unit as a signed 16-bit number; "?" is what
// readers without Unicode show instead.
void AppendUnicodeEscape(std::string& out, char32_t codePoint) {
    std::string utf8;
    AppendUtf8(utf8, codePoint);
    for (char16_t unit : Utf8ToUtf16(utf8))
        out += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + "?";
}

// The character at `pos` (UTF-8) in the code page, or as Unicode where the
// code page has no such character.
void AppendEscaped(std::string& out, std::string_view text, std::size_t& pos) {
    const char32_t codePoint = DecodeUtf8(text, pos);
    std::string bytes;
    if (AnsiCodePageBytes(codePoint, bytes)) {
        for (char byte : bytes)
            AppendHexEscape(out, static_cast<unsigned char>(byte));
    } else {
        AppendUnicodeEscape(out, codePoint);
    }
}

// Text that is RTF already: only characters beyond ASCII change.
std::string EscapeRtf(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            out += text[pos++];
        } else {
            AppendEscaped(out, text, pos);
        }
    }
    return out;
}

// Plain text inside RTF, such as a link target.
std::string QuoteRtf(std::string_view text) {
    std::string quoted;
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return EscapeRtf(quoted);
}

std::string Colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return "\\red" + std::to_string(red) + "\\green" + std::to_string(green) + "\\blue" +
           std::to_string(blue) + ";";
}

}  // namespace

std::string THelpStore::ToRichText(std::string_view topicId, std::string_view text,
                                   const THelpRichTextSettings& settings) const {
    const std::string charset = std::to_string(settings.FontCharset);
    const std::string size = std::to_string(settings.FontSize);
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset" + charset + " " +
                      settings.FontName + ";}{\\f1\\fmodern\\fprq1\\fcharset" + charset +
                      " Courier New;}}{\\colortbl " +
                      Colour(settings.TextRed, settings.TextGreen, settings.TextBlue) +
                      Colour(0, 0, 255) + Colour(128, 128, 0) + "}\\f0\\fs" + size +
                      "\\li150\\ri150 {";
    if (settings.InsertEmptyLine)
        rtf += "\\par ";
    bool titleOpen = settings.ShowTitle;
    if (titleOpen) {
        rtf += "{\\b\\fs" +
               std::to_string(settings.BigFirstLine ? 2 * settings.FontSize : settings.FontSize) +
               " ";
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view rest = text.substr(pos);
        if (rest.front() == '\r') {
            if (titleOpen) {
                rtf += '}';
                titleOpen = false;
            }
            rtf += "\\par\\par ";
            pos += rest.starts_with("\r\n") ? 2 : 1;
        } else if (rest.starts_with(kUnderline)) {
            rtf += "\\ul\\cf1 ";
            pos += kUnderline.size();
        } else if (rest.starts_with(kFixedFont)) {
            rtf += "\\f1 ";
            pos += kFixedFont.size();
        } else if (rest.starts_with(kLink)) {
            const std::size_t idFrom = pos + kLink.size();
            std::size_t idEnd = text.find_first_of("} ", idFrom);
            if (idEnd == std::string_view::npos)
                idEnd = text.size();
            std::string id(text.substr(idFrom, idEnd - idFrom));
            if (id.starts_with('.'))
                id = std::string(topicId) + id;
            // A link to a topic without a title shows nothing.
            const std::string title = TopicTitle(FindTopic(id));
            if (!title.empty()) {
                rtf += "{\\field{\\*\\fldinst{HYPERLINK \"help:" + QuoteRtf(id) +
                       "\"}}{\\fldrslt{\\ul\\cf1 " + EscapeRtf(title) + "}}}";
            }
            // The blank that ends an id belongs to the link; "}" closes the
            // group around it.
            pos = idEnd < text.size() && text[idEnd] == ' ' ? idEnd + 1 : idEnd;
        } else if (static_cast<unsigned char>(rest.front()) >= 0x80) {
            AppendEscaped(rtf, text, pos);
        } else {
            rtf += rest.front();
            ++pos;
        }
    }
    // A text of one line still closes its title; the body group and the
    // document are both closed, so that readers get a whole document.
    if (titleOpen)
        rtf += '}';
    if (settings.InsertLastEmptyLine)
        rtf += "\\par";
    rtf += "}}";
    return rtf;
}

}  // namespace nimbra
