#include <algorithm>
#include <array>
#include <optional>

#include "base/CommaText.h"
#include "base/Locale.h"
#include "utils/ConfigFunUtils.h"
#include "utils/ConfigUtils.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtils.h"

namespace nimbra {

namespace {

std::vector<TGlobalLocalizer*>& GlobalLocalizerList() {
    static std::vector<TGlobalLocalizer*> list;
    return list;
}

std::vector<TLanguageListener>& ListenerList() {
    static std::vector<TLanguageListener> list;
    return list;
}

template <class T>
bool Contains(const std::vector<T>& list, const T& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// ---- "Locale info" ----------------------------------------------------------

std::optional<int> WholeNumber(std::string_view raw, int min, int max) {
    int value = 0;
    if (!TryStrToInt(raw, value) || value < min || value > max)
        return std::nullopt;
    return value;
}

// The first character, when it fits the one byte a separator has.
std::optional<char> FirstCharacter(std::string_view raw) {
    if (raw.empty() || static_cast<unsigned char>(raw.front()) >= 0x80)
        return std::nullopt;
    return raw.front();
}

template <std::size_t N>
std::optional<std::array<std::string, N>> NameList(std::string_view raw) {
    const std::vector<std::string> names = DecodeCommaText(raw);
    if (names.size() < N)
        return std::nullopt;
    std::array<std::string, N> list;
    std::copy_n(names.begin(), N, list.begin());
    return list;
}

struct TextSetting {
    std::string_view ident;
    std::string TFormatSettings::*member;
};
struct NumberSetting {
    std::string_view ident;
    int TFormatSettings::*member;
    int min;
    int max;
};
struct CharSetting {
    std::string_view ident;
    char TFormatSettings::*member;
};
template <std::size_t N>
struct NamesSetting {
    std::string_view ident;
    std::array<std::string, N> TFormatSettings::*member;
};

using S = TFormatSettings;
constexpr TextSetting kTextSettings[] = {
    {"Currency string", &S::CurrencyString},  {"Short date format", &S::ShortDateFormat},
    {"Long date format", &S::LongDateFormat}, {"Time AM string", &S::TimeAMString},
    {"Time PM string", &S::TimePMString},     {"Short time format", &S::ShortTimeFormat},
    {"Long time format", &S::LongTimeFormat}};
constexpr NumberSetting kNumberSettings[] = {{"Currency format", &S::CurrencyFormat, 0, 3},
                                             {"Neg currency format", &S::NegCurrFormat, 0, 15},
                                             {"Currency decimals", &S::CurrencyDecimals, 0, 9}};
constexpr CharSetting kCharSettings[] = {{"Decimal separator", &S::DecimalSeparator},
                                         {"Thousand separator", &S::ThousandSeparator},
                                         {"List separator", &S::ListSeparator},
                                         {"Date separator", &S::DateSeparator},
                                         {"Time separator", &S::TimeSeparator}};
constexpr NamesSetting<12> kMonthSettings[] = {{"Short month names", &S::ShortMonthNames},
                                               {"Long month names", &S::LongMonthNames}};
constexpr NamesSetting<7> kDaySettings[] = {{"Short day names", &S::ShortDayNames},
                                            {"Long day names", &S::LongDayNames}};

std::string ReadLocale(const TLanguageFile& file, std::string_view ident) {
    return file.ReadRaw(kLocaleInfoSection, ident, {});
}

template <std::size_t N, std::size_t M>
void ApplyNames(const TLanguageFile& file, const NamesSetting<N> (&settings)[M],
                TFormatSettings& target) {
    for (const auto& setting : settings) {
        if (auto names = NameList<N>(ReadLocale(file, setting.ident)))
            target.*setting.member = std::move(*names);
    }
}

}  // namespace

TFormatSettings LocaleFormatSettingsOf(const TLanguageFile& file, const TFormatSettings& base) {
    TFormatSettings settings = base;
    if (!ReadLocale(file, "Use additional locale info").starts_with('1'))
        return settings;
    // Missing values read as empty and keep what `base` has, as do values
    // that cannot be used.
    for (const TextSetting& setting : kTextSettings) {
        std::string value = ReadLocale(file, setting.ident);
        if (!value.empty())
            settings.*setting.member = std::move(value);
    }
    for (const NumberSetting& setting : kNumberSettings) {
        if (auto value = WholeNumber(ReadLocale(file, setting.ident), setting.min, setting.max))
            settings.*setting.member = *value;
    }
    for (const CharSetting& setting : kCharSettings) {
        if (auto value = FirstCharacter(ReadLocale(file, setting.ident)))
            settings.*setting.member = *value;
    }
    ApplyNames(file, kMonthSettings, settings);
    ApplyNames(file, kDaySettings, settings);
    return settings;
}

// ---- listeners ----------------------------------------------------------------

void RegisterLanguageListener(TLanguageListener listener) {
    if (listener != nullptr && !Contains(ListenerList(), listener))
        ListenerList().push_back(listener);
}

void UnregisterLanguageListener(TLanguageListener listener) {
    std::erase(ListenerList(), listener);
}

const std::vector<TGlobalLocalizer*>& GlobalLocalizers() {
    return GlobalLocalizerList();
}

// ---- TGlobalLocalizer ---------------------------------------------------------

const TClassInfo& TGlobalLocalizer::StaticClassInfo() {
    using T = TGlobalLocalizer;
    static const TClassInfo info(
        "TGlobalLocalizer", &TComponent::StaticClassInfo(),
        {Published("ActiveLanguage", &T::ActiveLanguage, &T::SetActiveLanguage),
         Published("DefaultLanguageName", &T::DefaultLanguageName, &T::SetDefaultLanguageName),
         Published("AutoStore", &T::AutoStore, &T::SetAutoStore, true)});
    return info;
}

TGlobalLocalizer::TGlobalLocalizer(TComponent* owner) : TComponent(owner) {
    RefreshLanguages();
    GlobalLocalizerList().push_back(this);
}

TGlobalLocalizer::~TGlobalLocalizer() {
    std::erase(GlobalLocalizerList(), this);
}

void TGlobalLocalizer::SetActiveLanguage(const std::string& value) {
    if (AnsiSameText(value, ActiveLanguage()) || !FileExists(NativePath(file_.FileNameOf(value))))
        return;
    Switch(value);
}

void TGlobalLocalizer::Switch(const std::string& language) {
    // A switch that fails part-way stops there without a message: a broken
    // language file must never keep the program from running.
    try {
        ClearCache();
        file_.SetLanguage(language);

        if (auto charset =
                WholeNumber(file_.ReadRaw(kLocaleInfoSection, "Font charset", "1"), 0, 255)) {
            fontCharset_ = *charset;
        }
        if (auto biDiMode =
                WholeNumber(file_.ReadRaw(kLocaleInfoSection, "Bidirectional mode", "0"), 0, 3)) {
            biDiMode_ = *biDiMode;
        }
        // From the user's own settings each time: a language without locale
        // values must not keep those of the language before it.
        SetFormatSettings(LocaleFormatSettingsOf(file_, LocaleFormatSettings()));

        // On a copy: a translation pass may create or free windows.
        const std::vector<TNewLocalizer*> localizers = Localizers();
        for (TNewLocalizer* localizer : localizers) {
            if (Contains(Localizers(), localizer))
                localizer->SetActiveLanguage(language);
        }
        // AutoStore off keeps the choice for this run only.
        if (autoStore_ && AppIni().HasAppKey())
            AppIni().WriteString(std::string(kOptionsSection), std::string(kLastLanguageIdent),
                                 language);
        const std::vector<TLanguageListener> listeners = ListenerList();
        for (TLanguageListener listener : listeners) {
            if (Contains(ListenerList(), listener))
                listener(*this);
        }
    } catch (...) {  // NOLINT(bugprone-empty-catch): failures of a switch are silent
    }
}

void TGlobalLocalizer::RefreshLanguages() {
    languages_.BeginUpdate();
    languages_.Clear();
    for (const std::string& name : ListLanguageFiles(file_.Folder()))
        languages_.Add(name);
    languages_.EndUpdate();
}

void TGlobalLocalizer::FillLanguageNames(TStrings& strings) const {
    strings.BeginUpdate();
    strings.Clear();
    strings.AddStrings(languages_);
    if (!defaultLanguageName_.empty()) {
        const int index = strings.IndexOf(kDefaultLanguage);
        if (index >= 0)
            strings.SetStrings(index, defaultLanguageName_);
    }
    strings.EndUpdate();
}

int TGlobalLocalizer::LanguageIndex() const {
    return languages_.IndexOf(ActiveLanguage());
}

void TGlobalLocalizer::SetLanguageIndex(int index) {
    if (index >= 0 && index != LanguageIndex() && index < languages_.Count())
        SetActiveLanguage(languages_.Strings(index));
}

void TGlobalLocalizer::Loaded() {
    TComponent::Loaded();
    if (AppIni().HasAppKey()) {
        SetActiveLanguage(AppIni().ReadString(std::string(kOptionsSection),
                                              std::string(kLastLanguageIdent), ActiveLanguage()));
    }
}

}  // namespace nimbra
