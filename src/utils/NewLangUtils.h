#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Classes.h"
#include "base/FormatSettings.h"
#include "base/StringList.h"

namespace nimbra {

// ---- where language files are ---------------------------------------------

inline constexpr std::string_view kDefaultLanguage = "Default";
inline constexpr std::string_view kLanguageFileExt = ".lng";
inline constexpr std::string_view kStringConstantsSection = "String constants section";
inline constexpr std::string_view kLocaleInfoSection = "Locale info";
inline constexpr std::string_view kTemplateSection = "Template section";
inline constexpr std::string_view kTemplateIdent = "Template";

// The running program file and its folder, which holds the language files.
std::string ProgramFileName();
std::string ProgramFolder();

// The folder language files are looked for in: the program's folder, unless
// it was pointed elsewhere (tests do, so that they never write beside the
// program). An empty folder goes back to the program's.
std::string LanguageFolder();
void SetLanguageFolder(const std::string& folder);

// The name (without extension) of every "*.lng" file in the folder, folders
// left out, in the order the folder listing gives them. Any error gives the
// names listed so far.
std::vector<std::string> ListLanguageFiles(const std::string& folder);

// ---- language files ---------------------------------------------------------

// One language as the program reads it: the file named after the language in
// the folder, and the files of its template chain. Parsed files are shared
// through a process-wide cache, so lookups never touch the disk twice.
class TLanguageFile {
  public:
    explicit TLanguageFile(std::string folder = LanguageFolder());

    const std::string& Folder() const { return folder_; }
    const std::string& Language() const { return language_; }
    // The template language named by the language's own file; empty if none.
    const std::string& Template() const { return template_; }
    // A different name also re-reads the template (case is ignored: these
    // are file names).
    void SetLanguage(const std::string& name);
    // Folder joined with the language and ".lng".
    std::string FileName() const;
    std::string FileNameOf(std::string_view language) const;

    // The stored value of Section/Ident, from the language or the first file
    // of its template chain that holds a non-empty one; otherwise Default.
    std::string ReadRaw(std::string_view section, std::string_view ident,
                        std::string_view defaultValue) const;
    // The same, decoded from the comma-text form into lines joined by CR LF.
    // Default comes back unchanged when no file has the text.
    std::string ReadText(std::string_view section, std::string_view ident,
                         std::string_view defaultValue) const;
    // Stores the text's lines in comma-text form into the language's file
    // (an existing value stays: erase the section first) and rewrites the
    // whole file.
    void WriteText(const std::string& section, const std::string& ident, const std::string& text);
    // Removes the section from the parsed file only; the file loses it with
    // its next write.
    void EraseSection(const std::string& section);

  private:
    std::string folder_;
    std::string language_{kDefaultLanguage};
    std::string template_;
};

// Frees every parsed language file; the next lookup reads the files again.
void ClearCache();

// A stored language value as text: its comma-text items joined by CR LF.
std::string DecodeLanguageText(std::string_view raw);
// The reverse: the text's lines (split at CR LF, CR or LF) in comma-text form.
std::string EncodeLanguageText(std::string_view text);

// ---- texts that code asks for ----------------------------------------------

// A text that program code builds at run time, with its English original.
struct TCodeText {
    std::string_view Section;
    std::string_view Ident;
    std::string_view Default;
};

// The text of Ident in Section in the active language of the program, or
// Default while the built-in language is active or none has been chosen.
std::string GetLocalizedString(std::string_view section, std::string_view ident,
                               std::string_view defaultText);
std::string GetLocalizedString(const TCodeText& text);
// The same for the section "String constants section".
std::string GetConstString(std::string_view ident, std::string_view defaultText);
// "Section.Ident=Default", the form of a localizer's Constants entry.
std::string ConstantEntry(const TCodeText& text);

// ---- window localizers ------------------------------------------------------

class TGlobalLocalizer;

// Placed on every window, frame and data module: translates the published
// texts of its owner's component tree from the active language file, and
// writes them into the default language file when default texts are
// generated.
//
// What it needs of the components it walks, all found by name among the
// published properties: string properties and TStrings/TCollection/other
// TPersistent-valued class properties (readable and writable) for the texts;
// "Action" (a set object whose class publishes the same property takes the
// text instead); "Font" (an object with a writable ordinal "Charset") and a
// writable ordinal "BiDiMode" for the language's locale. A frame is a class
// that is, or descends from, one named "TFrame" or "TCustomFrame".
class TNewLocalizer : public TComponent {
  public:
    explicit TNewLocalizer(TComponent* owner);
    ~TNewLocalizer() override;

    // "+Prop", "-Prop", "+Component.Prop.Path", "-Component.Prop"; starts
    // with "+Caption", "+Text", "+Hint", "+Lines".
    TStrings* Filter() const { return filter_.get(); }
    void SetFilter(TStrings* value);
    std::string ActiveLanguage() const { return file_.Language(); }
    // A different language whose file exists switches and translates.
    void SetActiveLanguage(const std::string& value);
    bool SaveEmpty() const { return saveEmpty_; }
    void SetSaveEmpty(bool value) { saveEmpty_ = value; }
    bool ForceFrameSave() const { return forceFrameSave_; }
    void SetForceFrameSave(bool value) { forceFrameSave_ = value; }
    // "Section.Ident=Text" entries: the code texts of this window.
    TStrings* Constants() const { return constants_.get(); }
    void SetConstants(TStrings* value);
    // The first registered global localizer, or nullptr.
    TGlobalLocalizer* GlobalLocalizer() const;

    TLanguageFile& LanguageFile() { return file_; }
    const TLanguageFile& LanguageFile() const { return file_; }

    // Raised after every translation pass.
    std::function<void(TNewLocalizer& sender)> OnLocalize;

    // Translates the owner's tree from the current language.
    void Localize();
    // Writes the owner's texts and the Constants into the file of the
    // current language (the default language when the program's texts are
    // generated), keeping a ".~ln" copy of the file as it was.
    void GenerateDefaultTexts();

    // Takes the language of the first global localizer.
    void Loaded() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    bool OwnerIsUnforcedFrame() const;
    bool NeverStored() const { return false; }

    std::unique_ptr<TStringList> filter_;
    std::unique_ptr<TStringList> constants_;
    TLanguageFile file_;
    bool saveEmpty_ = false;
    bool forceFrameSave_ = false;
};

// GenerateDefaultTexts of every registered localizer, oldest first.
void GenerateAllDefaultTexts();

// Called with the global localizer after every switch of the program's
// language. Plain functions, so that each is registered at most once.
using TLanguageListener = void (*)(TGlobalLocalizer& sender);
void RegisterLanguageListener(TLanguageListener listener);
void UnregisterLanguageListener(TLanguageListener listener);

// The one localizer that switches the whole program: it re-reads the
// language, applies its locale, has every window localizer translate, stores
// the choice and tells the listeners.
class TGlobalLocalizer : public TComponent {
  public:
    explicit TGlobalLocalizer(TComponent* owner);
    ~TGlobalLocalizer() override;

    std::string ActiveLanguage() const { return file_.Language(); }
    // Switches the program to a language whose file exists; the current
    // name and names without a file are ignored; failures are swallowed.
    void SetActiveLanguage(const std::string& value);
    // What the user sees for "Default".
    const std::string& DefaultLanguageName() const { return defaultLanguageName_; }
    void SetDefaultLanguageName(const std::string& value) { defaultLanguageName_ = value; }
    bool AutoStore() const { return autoStore_; }
    void SetAutoStore(bool value) { autoStore_ = value; }

    // As last read from the language's "Locale info".
    int FontCharset() const { return fontCharset_; }
    int BiDiMode() const { return biDiMode_; }

    // The languages found by the last RefreshLanguages.
    const TStringList& Languages() const { return languages_; }
    void RefreshLanguages();
    // The languages, "Default" shown as DefaultLanguageName.
    void FillLanguageNames(TStrings& strings) const;
    // Position of the active language in Languages, or -1.
    int LanguageIndex() const;
    void SetLanguageIndex(int index);

    TLanguageFile& LanguageFile() { return file_; }

    // Takes the language stored as "Last language".
    void Loaded() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void Switch(const std::string& language);

    TLanguageFile file_;
    std::string defaultLanguageName_ = "English";
    bool autoStore_ = true;
    int fontCharset_ = 1;
    int biDiMode_ = 0;
    TStringList languages_;
};

// The registered localizers, oldest first.
const std::vector<TNewLocalizer*>& Localizers();
const std::vector<TGlobalLocalizer*>& GlobalLocalizers();
// The program's global localizer: the first registered one, or nullptr.
TGlobalLocalizer* FirstGlobalLocalizer();

// The format settings a language gives: `base` with every value its
// "Locale info" holds when "Use additional locale info" is on. Values that
// are no number, out of range, or name lists that are too short keep what
// `base` has.
TFormatSettings LocaleFormatSettingsOf(const TLanguageFile& file, const TFormatSettings& base);

inline constexpr std::string_view kOptionsSection = "Options";
inline constexpr std::string_view kLastLanguageIdent = "Last language";

}  // namespace nimbra
