#pragma once

#include <functional>

#include <string>
#include <string_view>

#include "base/Classes.h"

namespace nimbra {

class TContextHelpEx;
class TGlobalLocalizer;
class TNewLocalizer;

// The program's name and the maker's addresses, as help texts and the
// "Visit ... Web site" and support commands use them.
// PLACEHOLDERS: example.com addresses of our own until the product has a
// real home; replace them all together.
inline constexpr std::string_view kAppName = "Nimbra";
// Set once, by project(... VERSION ...) in CMakeLists.txt.
inline constexpr std::string_view kAppVersion = NIMBRA_VERSION;
inline constexpr std::string_view kHomePage = "https://www.example.com/";
inline constexpr std::string_view kAppPage = "https://www.example.com/nimbra/";
inline constexpr std::string_view kSupportLink = "https://www.example.com/nimbra/support/";
inline constexpr std::string_view kSupportEmail = "support@example.com";
// Where translations of the program can be downloaded.
inline constexpr std::string_view kLanguagesPage = "https://www.example.com/nimbra/languages/";

// A data module that carries help: a help-text component holding one of the
// program's built-in help texts, and the module's localizer.
class THelpModule : public TComponent {
  public:
    TContextHelpEx* ContextHelpEx1() const { return contextHelp_; }
    TNewLocalizer* NewLocalizer1() const { return localizer_; }

  protected:
    // `helpText` names a file of res/help without its extension.
    THelpModule(TComponent* owner, const std::string& name, std::string_view helpText);
    // Ends loading, as reading a form description does: every component's
    // Loaded, then the module's own. Each module class calls it last.
    void FinishLoading();

  private:
    TContextHelpEx* contextHelp_;
    TNewLocalizer* localizer_;
};

// The help of the search frame.
class TNimbraFrameHelp : public THelpModule {
  public:
    explicit TNimbraFrameHelp(TComponent* owner);
};

// The help of the program: start page, main window, options, keyboard, tips.
class TNimbraHelpModule : public THelpModule {
  public:
    explicit TNimbraHelpModule(TComponent* owner);
};

// The help every program of this kind shares, the named values, the code
// texts, and the program's global localizer, which takes the stored
// language when the module is created.
class TBasicAppHelp : public THelpModule {
  public:
    explicit TBasicAppHelp(TComponent* owner);
    TGlobalLocalizer* GlobalLocalizer1() const { return global_; }

  private:
    TGlobalLocalizer* global_;
};

// The three help data modules in the program's start-up order, owned by
// `owner`.
void CreateHelpModules(TComponent* owner);

// Generates the program's default language file into `folder` (which the
// language folder points to meanwhile) from every window, frame and data
// module that carries a localizer; returns the file's name. The help data
// modules carry the code texts; `createWindows` makes the program's windows
// (owned by `program`), which exist only on Windows. A folder that cannot be
// written raises EOSError naming the file; the language folder is restored.
std::string GenerateDefaultLanguageFile(
    const std::string& folder, const std::function<void(TComponent& program)>& createWindows = {});

// Writes the help into "<program>.help.txt" beside the program file.
void DumpHelp();

}  // namespace nimbra
