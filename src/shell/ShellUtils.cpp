#include "shell/ShellUtils.h"

#include "base/Locale.h"
#include "utils/CustomFolderBrowserCfg.h"
#include "utils/MiscUtils.h"

namespace nimbra {

std::string QuoteIfBlank(std::string_view text) {
    if (text.find(' ') == std::string_view::npos || text.starts_with('"'))
        return std::string(text);
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string ExplorerParameters(std::string_view path, bool root, bool explore, bool select) {
    std::string parameters;
    if (explore)
        parameters += "/E,";
    if (root)
        parameters += "/ROOT,";
    if (select)
        parameters += "/SELECT,";
    parameters += QuoteIfBlank(path);
    return parameters;
}

namespace {

// The macros of the folder-browser template, each with how its value is had.
struct TBrowserMacro {
    std::string_view name;
    bool folder;  // the item's folder rather than the item itself
    bool shortForm;
};

constexpr TBrowserMacro kBrowserMacros[] = {
    {"path", true, false},
    {"shortpath", true, true},
    {"filename", false, false},
    {"shortfilename", false, true},
};

std::string MacroValue(std::string_view name, std::string_view fileName,
                       const TShortNameFn& shortName) {
    for (const TBrowserMacro& macro : kBrowserMacros) {
        if (!SameText(name, macro.name))
            continue;
        const std::string value = macro.folder ? ExtractFileDir(fileName) : std::string(fileName);
        if (!macro.shortForm)
            return value;
        return shortName ? shortName(value) : std::string();
    }
    return {};
}

}  // namespace

std::string ExpandBrowserMacros(std::string_view cmdLine, std::string_view fileName,
                                const TShortNameFn& shortName) {
    std::string result;
    std::size_t pos = 0;
    while (pos < cmdLine.size()) {
        const std::size_t open = cmdLine.find('%', pos);
        if (open == std::string_view::npos) {
            result += cmdLine.substr(pos);
            break;
        }
        result += cmdLine.substr(pos, open - pos);
        const std::size_t close = cmdLine.find('%', open + 1);
        const std::size_t nameEnd = close == std::string_view::npos ? cmdLine.size() : close;
        const std::string_view name = cmdLine.substr(open + 1, nameEnd - open - 1);
        if (close == open + 1)
            result += '%';
        else
            result += MacroValue(name, fileName, shortName);
        pos = close == std::string_view::npos ? cmdLine.size() : close + 1;
    }
    return result;
}

TFolderBrowser ConfiguredFolderBrowser() {
    if (CustomBrowserCfg == nullptr)
        return {};
    return {CustomBrowserCfg->Path(), CustomBrowserCfg->CmdLine()};
}

std::string FolderBrowserCommand(const TFolderBrowser& browser, std::string_view fileName,
                                 const TShortNameFn& shortName) {
    return QuoteIfBlank(browser.Path) + " " +
           ExpandBrowserMacros(browser.CmdLine, fileName, shortName);
}

}  // namespace nimbra
