#include "utils/NewLangUtils.h"

#include <filesystem>
#include <system_error>

#include "base/CommaText.h"
#include "base/Locale.h"
#include "utils/FastIniUtils.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

// The parsed-file cache: few entries (a language and its templates), so a
// list searched by name is enough. Interface thread only, like every use.
struct CachedFile {
    std::string fileName;
    std::unique_ptr<TFastIniFile> ini;
};

std::vector<CachedFile>& Cache() {
    static std::vector<CachedFile> cache;
    return cache;
}

TFastIniFile& CachedIni(const std::string& fileName) {
    for (CachedFile& entry : Cache()) {
        if (AnsiSameText(entry.fileName, fileName))
            return *entry.ini;
    }
    std::unique_ptr<TFastIniFile> ini;
    try {
        ini = std::make_unique<TFastIniFile>(NativePath(fileName));
    } catch (const std::exception&) {
        // An unreadable file reads as empty. It gets no file name, so that a
        // later write cannot replace the content that could not be read.
        ini = std::make_unique<TFastIniFile>("");
    }
    Cache().push_back({fileName, std::move(ini)});
    return *Cache().back().ini;
}

std::string& LanguageFolderOverride() {
    static std::string folder;
    return folder;
}

bool IsDefaultLanguage(std::string_view language) {
    return SameText(language, kDefaultLanguage);
}

std::string ReadTemplate(const TLanguageFile& file, std::string_view language) {
    return CachedIni(file.FileNameOf(language))
        .ReadString(std::string(kTemplateSection), std::string(kTemplateIdent), "");
}

// The file shared by every code text; it follows the language folder.
TLanguageFile& CodeTextFile() {
    static std::unique_ptr<TLanguageFile> file;
    const std::string folder = LanguageFolder();
    if (!file || file->Folder() != folder)
        file = std::make_unique<TLanguageFile>(folder);
    return *file;
}

}  // namespace

// ---- folders ----------------------------------------------------------------

std::string ProgramFolder() {
    // Asked for at every lookup of a code text; the program does not move.
    static const std::string folder = ExtractFileDir(ProgramFileName());
    return folder;
}

std::string LanguageFolder() {
    const std::string& folder = LanguageFolderOverride();
    return folder.empty() ? ProgramFolder() : folder;
}

void SetLanguageFolder(const std::string& folder) {
    LanguageFolderOverride() = folder;
}

std::vector<std::string> ListLanguageFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    const std::string native = NativePath(folder);
    std::error_code error;
    fs::directory_iterator it(fs::path(std::u8string(native.begin(), native.end())), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code kindError;
        if (it->is_directory(kindError))
            continue;
        const std::u8string u8name = it->path().filename().u8string();
        const std::string name(u8name.begin(), u8name.end());
        // Compared whole, so that "x.lngold" is no language file (the
        // system's own "*.lng" pattern would also match short names).
        if (name.size() > kLanguageFileExt.size() &&
            SameText(std::string_view(name).substr(name.size() - kLanguageFileExt.size()),
                     kLanguageFileExt)) {
            names.push_back(name.substr(0, name.size() - kLanguageFileExt.size()));
        }
    }
    return names;
}

// ---- TLanguageFile ------------------------------------------------------------

TLanguageFile::TLanguageFile(std::string folder) : folder_(std::move(folder)) {}

void TLanguageFile::SetLanguage(const std::string& name) {
    if (AnsiSameText(name, language_))
        return;
    language_ = name;
    template_ = ReadTemplate(*this, language_);
}

std::string TLanguageFile::FileName() const {
    return FileNameOf(language_);
}

std::string TLanguageFile::FileNameOf(std::string_view language) const {
    return JoinPath(folder_, std::string(language) + std::string(kLanguageFileExt));
}

std::string TLanguageFile::ReadRaw(std::string_view section, std::string_view ident,
                                   std::string_view defaultValue) const {
    const std::string sectionName(section);
    const std::string identName(ident);
    std::string language = language_;
    // The templates visited so far, each after a "/"; a template already in
    // it (even as part of a longer name) ends the chain, so files naming
    // each other cannot loop.
    std::string chain;
    bool firstLevel = true;
    while (true) {
        std::string value =
            CachedIni(FileNameOf(language)).ReadString(sectionName, identName, std::string());
        if (!value.empty())
            return value;
        if (IsDefaultLanguage(language))
            break;
        const std::string next = firstLevel ? template_ : ReadTemplate(*this, language);
        if (next.empty() || chain.find(next) != std::string::npos)
            break;
        language = next;
        chain += '/';
        chain += next;
        firstLevel = false;
    }
    return std::string(defaultValue);
}

std::string TLanguageFile::ReadText(std::string_view section, std::string_view ident,
                                    std::string_view defaultValue) const {
    // No text is empty when stored, so an empty answer means "none found".
    const std::string raw = ReadRaw(section, ident, std::string_view());
    if (raw.empty())
        return std::string(defaultValue);
    return DecodeLanguageText(raw);
}

void TLanguageFile::WriteText(const std::string& section, const std::string& ident,
                              const std::string& text) {
    TFastIniFile& ini = CachedIni(FileName());
    ini.WriteString(section, ident, EncodeLanguageText(text));
    ini.UpdateFile();
}

void TLanguageFile::EraseSection(const std::string& section) {
    CachedIni(FileName()).EraseSection(section);
}

void ClearCache() {
    Cache().clear();
}

std::string DecodeLanguageText(std::string_view raw) {
    std::string text;
    const std::vector<std::string> lines = DecodeCommaText(raw);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

std::string EncodeLanguageText(std::string_view text) {
    TStringList lines;
    lines.SetText(text);
    return EncodeCommaText(lines.ToVector());
}

// ---- code texts ---------------------------------------------------------------

std::string GetLocalizedString(std::string_view section, std::string_view ident,
                               std::string_view defaultText) {
    const std::vector<TGlobalLocalizer*>& globals = GlobalLocalizers();
    if (globals.empty())
        return std::string(defaultText);
    const std::string language = globals.back()->ActiveLanguage();
    if (IsDefaultLanguage(language))
        return std::string(defaultText);
    TLanguageFile& file = CodeTextFile();
    file.SetLanguage(language);
    return file.ReadText(section, ident, defaultText);
}

std::string GetLocalizedString(const TCodeText& text) {
    return GetLocalizedString(text.Section, text.Ident, text.Default);
}

std::string GetConstString(std::string_view ident, std::string_view defaultText) {
    return GetLocalizedString(kStringConstantsSection, ident, defaultText);
}

std::string ConstantEntry(const TCodeText& text) {
    std::string entry(text.Section);
    entry += '.';
    entry += text.Ident;
    entry += '=';
    entry += text.Default;
    return entry;
}

}  // namespace nimbra
