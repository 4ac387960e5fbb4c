#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "base/Unicode.h"
#include "support/RtfReader.h"
#include "support/TestFolders.h"

namespace nimbra::testing_support {

namespace {

// The named references unrtf writes for the characters the tests use.
struct NamedReference {
    const char* name;
    char32_t codePoint;
};
constexpr NamedReference kNamed[] = {{"amp", '&'},      {"lt", '<'},      {"gt", '>'},
                                     {"quot", '"'},     {"nbsp", 0xA0},   {"eacute", 0xE9},
                                     {"uuml", 0xFC},    {"szlig", 0xDF},  {"euro", 0x20AC},
                                     {"bdquo", 0x201E}, {"ldquo", 0x201C}};

std::optional<char32_t> Reference(const std::string& name) {
    if (name.size() > 1 && name[0] == '#')
        return static_cast<char32_t>(std::strtoul(name.c_str() + 1, nullptr, 10));
    for (const NamedReference& named : kNamed)
        if (name == named.name)
            return named.codePoint;
    return std::nullopt;
}

// unrtf writes each half of a surrogate pair as a reference of its own.
std::string HtmlText(const std::string& html) {
    std::u32string text;
    for (std::size_t i = 0; i < html.size();) {
        if (html[i] == '<') {
            const std::size_t end = html.find('>', i);
            i = end == std::string::npos ? html.size() : end + 1;
            continue;
        }
        if (html[i] == '&') {
            const std::size_t end = html.find(';', i);
            if (end != std::string::npos) {
                if (auto cp = Reference(html.substr(i + 1, end - i - 1))) {
                    if (*cp >= 0xDC00 && *cp <= 0xDFFF && !text.empty() && text.back() >= 0xD800 &&
                        text.back() <= 0xDBFF) {
                        text.back() = 0x10000 + ((text.back() - 0xD800) << 10) + (*cp - 0xDC00);
                    } else {
                        text += *cp;
                    }
                    i = end + 1;
                    continue;
                }
            }
        }
        std::size_t next = i;
        text += DecodeUtf8(html, next);
        i = next;
    }
    std::string utf8;
    for (char32_t cp : text)
        AppendUtf8(utf8, cp);
    return utf8;
}

}  // namespace

bool HaveRtfReader() {
    return std::system("command -v unrtf >/dev/null 2>&1") == 0;
}

std::optional<RtfReading> ReadRtf(const std::string& rtf) {
    const TempDir dir;
    const std::string file = PathText(dir.Path() / "document.rtf");
    std::ofstream(file, std::ios::binary) << rtf;
    const std::string command = "unrtf --html '" + file + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return std::nullopt;
    std::string html;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        html.append(buffer, n);
    if (::pclose(pipe.release()) != 0)
        return std::nullopt;
    const std::size_t body = html.find("<body>");
    if (body == std::string::npos)
        return std::nullopt;
    html.erase(0, body);
    return RtfReading{html, HtmlText(html)};
}

}  // namespace nimbra::testing_support
