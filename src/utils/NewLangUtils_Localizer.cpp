#include <algorithm>
#include <optional>

#include "base/Collections.h"
#include "base/Locale.h"
#include "utils/ConfigFunUtils.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtils.h"

namespace nimbra {

namespace {

constexpr std::string_view kFontProperty = "Font";
constexpr std::string_view kCharsetProperty = "Charset";
constexpr std::string_view kBiDiModeProperty = "BiDiMode";
constexpr std::string_view kActionProperty = "Action";

std::vector<TNewLocalizer*>& LocalizerList() {
    static std::vector<TNewLocalizer*> list;
    return list;
}

bool IsFrameClass(const TClassInfo* info) {
    for (; info != nullptr; info = info->Parent()) {
        if (info->Name() == "TFrame" || info->Name() == "TCustomFrame")
            return true;
    }
    return false;
}

bool IsOrdinal(TTypeKind kind) {
    return kind == TTypeKind::tkInteger || kind == TTypeKind::tkEnumeration ||
           kind == TTypeKind::tkChar;
}

// A published ordinal property that can be set, or nullptr.
const TPropInfo* WritableOrdinal(const TPersistent& instance, std::string_view name) {
    const TPropInfo* prop = instance.ClassInfo().FindProperty(name);
    return prop != nullptr && prop->IsWritable() && IsOrdinal(prop->Kind()) ? prop : nullptr;
}

void SetOrdinalInRange(TPersistent& instance, const TPropInfo& prop, std::optional<int> value) {
    if (value && *value >= prop.PropType->MinValue && *value <= prop.PropType->MaxValue)
        SetOrdProp(instance, prop, *value);
}

// One "+"/"-" entry of a localizer's Filter.
struct FilterEntry {
    bool include;
    std::string component;  // empty: every component
    std::string path;
};

std::vector<FilterEntry> ParseFilter(const TStrings& filter) {
    std::vector<FilterEntry> entries;
    for (int i = 0; i < filter.Count(); ++i) {
        const std::string& line = filter.Strings(i);
        if (line.empty() || (line[0] != '+' && line[0] != '-'))
            continue;
        FilterEntry entry{line[0] == '+', {}, line.substr(1)};
        if (const std::size_t dot = line.find('.', 1); dot != std::string::npos) {
            entry.component = line.substr(1, dot - 1);
            entry.path = line.substr(dot + 1);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

void RemovePath(std::vector<std::string>& paths, std::string_view path) {
    std::erase_if(paths, [&](const std::string& p) { return SameText(p, path); });
}

bool HasPath(const std::vector<std::string>& paths, std::string_view path) {
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::string& p) { return SameText(p, path); });
}

// The property paths the filter selects for a component of this name: the
// includes for every component, less the excludes for every component, plus
// the includes naming it, less the excludes naming it.
std::vector<std::string> SelectedPaths(const std::vector<FilterEntry>& filter,
                                       std::string_view componentName) {
    std::vector<std::string> paths;
    for (const FilterEntry& e : filter)
        if (e.include && e.component.empty())
            paths.push_back(e.path);
    for (const FilterEntry& e : filter)
        if (!e.include && e.component.empty())
            RemovePath(paths, e.path);
    for (const FilterEntry& e : filter)
        if (e.include && SameText(e.component, componentName) && !HasPath(paths, e.path))
            paths.push_back(e.path);
    for (const FilterEntry& e : filter)
        if (!e.include && SameText(e.component, componentName))
            RemovePath(paths, e.path);
    return paths;
}

// A component bound to an action shows the action's text: the action, a
// component of its own, is translated instead.
bool ActionTakesProperty(const TComponent& component, std::string_view property) {
    const TPropInfo* action = component.ClassInfo().FindProperty(kActionProperty);
    if (action == nullptr || action->Kind() != TTypeKind::tkClass)
        return false;
    const TPersistent* target = GetObjectProp(component, *action);
    return target != nullptr && target->ClassInfo().FindProperty(property) != nullptr;
}

// The names from below the root down to the component, joined by ".".
std::string ComponentPath(const TComponent& component, const TComponent* root) {
    std::vector<const std::string*> names;
    for (const TComponent* c = &component; c != nullptr && c != root; c = c->Owner())
        names.push_back(&c->Name());
    std::string path;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!path.empty())
            path += '.';
        path += **it;
    }
    return path;
}

std::optional<int> ReadWholeNumber(const TLanguageFile& file, std::string_view ident,
                                   std::string_view defaultValue) {
    int value = 0;
    if (TryStrToInt(file.ReadRaw(kLocaleInfoSection, ident, defaultValue), value))
        return value;
    return std::nullopt;
}

// One walk over a root's component tree, reading translations into the
// selected properties or writing the properties' texts out.
class LocalizerWalk {
  public:
    enum class Mode { Translate, Generate };

    LocalizerWalk(TNewLocalizer& localizer, TComponent& root, Mode mode)
        : file_(localizer.LanguageFile()),
          root_(root),
          section_(root.Name()),
          filter_(ParseFilter(*localizer.Filter())),
          mode_(mode),
          saveEmpty_(localizer.SaveEmpty()) {
        if (mode_ == Mode::Translate) {
            charset_ = ReadWholeNumber(file_, "Font charset", "1");
            biDiMode_ = ReadWholeNumber(file_, "Bidirectional mode", "0");
        }
    }

    void Component(TComponent& component) {
        if (component.Name().empty())
            return;
        if (mode_ == Mode::Translate)
            ApplyLocale(component);
        for (const std::string& path : SelectedPaths(filter_, component.Name())) {
            const std::string_view first = std::string_view(path).substr(0, path.find('.'));
            if (component.ClassInfo().FindProperty(first) == nullptr ||
                ActionTakesProperty(component, first)) {
                continue;
            }
            Path(component, component, path, path, std::nullopt);
        }
        // Indexed, and checked each time: translating may change the tree.
        for (int i = 0; i < component.ComponentCount(); ++i)
            Component(*component.Components(i));
    }

  private:
    void ApplyLocale(TComponent& component) {
        if (const TPropInfo* font = component.ClassInfo().FindProperty(kFontProperty);
            font != nullptr && font->Kind() == TTypeKind::tkClass) {
            if (TPersistent* fontObject = GetObjectProp(component, *font)) {
                if (const TPropInfo* charset = WritableOrdinal(*fontObject, kCharsetProperty))
                    SetOrdinalInRange(*fontObject, *charset, charset_);
            }
        }
        if (const TPropInfo* biDiMode = WritableOrdinal(component, kBiDiModeProperty))
            SetOrdinalInRange(component, *biDiMode, biDiMode_);
    }

    std::string Ident(const TComponent& component, const std::string& fullPath,
                      std::optional<int> index) const {
        std::string ident = ComponentPath(component, &root_);
        if (!ident.empty())
            ident += '.';
        ident += fullPath;
        if (index)
            ident += "." + std::to_string(*index);
        return ident;
    }

    // Loads (or writes) the property path `path` of `object`, which belongs
    // to `component`; `fullPath` is the path as the filter named it.
    void Path(TPersistent& object, const TComponent& component, const std::string& fullPath,
              std::string_view path, std::optional<int> index) {
        const std::size_t dot = path.find('.');
        const std::string_view first = path.substr(0, dot);
        const std::string_view rest = dot == std::string_view::npos ? "" : path.substr(dot + 1);
        const TPropInfo* prop = object.ClassInfo().FindProperty(first);
        if (prop == nullptr || !prop->IsWritable())
            return;
        if (prop->Kind() == TTypeKind::tkString) {
            if (rest.empty())
                StringProperty(object, *prop, Ident(component, fullPath, index));
            return;
        }
        if (prop->Kind() != TTypeKind::tkClass)
            return;
        TPersistent* value = GetObjectProp(object, *prop);
        if (value == nullptr)
            return;
        if (auto* strings = dynamic_cast<TStrings*>(value)) {
            if (rest.empty() || index)
                StringsProperty(object, *prop, *strings, Ident(component, fullPath, index));
        } else if (auto* collection = dynamic_cast<TCollection*>(value)) {
            if (rest.empty())
                return;
            for (int i = 0; i < collection->Count(); ++i) {
                TCollectionItem* item = collection->Items(i);
                Path(*item, component, fullPath, rest, item->ID());
            }
        } else if (!rest.empty()) {
            Path(*value, component, fullPath, rest, std::nullopt);
        }
    }

    void StringProperty(TPersistent& object, const TPropInfo& prop, const std::string& ident) {
        if (mode_ == Mode::Translate) {
            const std::string text = file_.ReadText(section_, ident, {});
            if (!text.empty())
                SetStrProp(object, prop, text);
            return;
        }
        const std::string text = GetStrProp(object, prop);
        if (!text.empty() || saveEmpty_)
            file_.WriteText(section_, ident, text);
    }

    void StringsProperty(TPersistent& object, const TPropInfo& prop, const TStrings& strings,
                         const std::string& ident) {
        if (mode_ == Mode::Translate) {
            TStringList lines;
            lines.SetText(file_.ReadText(section_, ident, {}));
            // A text that decodes to nothing leaves the list as it is.
            if (lines.Count() > 0)
                SetObjectProp(object, prop, &lines);
            return;
        }
        const std::string text = strings.Text();
        if (!text.empty() || saveEmpty_)
            file_.WriteText(section_, ident, text);
    }

    TLanguageFile& file_;
    const TComponent& root_;
    std::string section_;
    std::vector<FilterEntry> filter_;
    Mode mode_;
    bool saveEmpty_;
    std::optional<int> charset_;
    std::optional<int> biDiMode_;
};

// The default language file's copy: the extension's characters after the
// first, except the last, after ".~" (".lng" gives ".~ln").
std::string BackupName(const std::string& fileName) {
    const std::string base = RemoveFileExt(fileName);
    const std::string ext = fileName.substr(base.size());
    return base + ".~" + (ext.size() > 2 ? ext.substr(1, ext.size() - 2) : std::string());
}

void KeepBackup(const std::string& fileName) {
    const std::string native = NativePath(fileName);
    if (FileExists(native))
        WriteFileReplacing(BackupName(native), ReadFileBytes(native, std::size_t{64} << 20));
}

}  // namespace

// ---- TNewLocalizer ------------------------------------------------------------

const std::vector<TNewLocalizer*>& Localizers() {
    return LocalizerList();
}

void GenerateAllDefaultTexts() {
    const std::vector<TNewLocalizer*> localizers = LocalizerList();
    for (TNewLocalizer* localizer : localizers)
        localizer->GenerateDefaultTexts();
}

const TClassInfo& TNewLocalizer::StaticClassInfo() {
    using T = TNewLocalizer;
    static const TClassInfo info(
        "TNewLocalizer", &TComponent::StaticClassInfo(),
        {Published("Filter", &T::Filter, &T::SetFilter),
         Published("ActiveLanguage", &T::ActiveLanguage, &T::SetActiveLanguage),
         Published("SaveEmpty", &T::SaveEmpty, &T::SetSaveEmpty, false),
         Published("ForceFrameSave", &T::ForceFrameSave, &T::SetForceFrameSave, false),
         Published("Constants", &T::Constants, &T::SetConstants),
         // Derived from the process-wide list: never stored, not writable.
         Published("GlobalLocalizer", &T::GlobalLocalizer, nullptr, std::nullopt,
                   &T::NeverStored)});
    return info;
}

TNewLocalizer::TNewLocalizer(TComponent* owner)
    : TComponent(owner),
      filter_(std::make_unique<TStringList>(
          std::vector<std::string>{"+Caption", "+Text", "+Hint", "+Lines"})),
      constants_(std::make_unique<TStringList>()) {
    LocalizerList().push_back(this);
}

TNewLocalizer::~TNewLocalizer() {
    std::erase(LocalizerList(), this);
}

void TNewLocalizer::SetFilter(TStrings* value) {
    if (value != nullptr && value != filter_.get())
        filter_->Assign(*value);
}

void TNewLocalizer::SetConstants(TStrings* value) {
    if (value != nullptr && value != constants_.get())
        constants_->Assign(*value);
}

TGlobalLocalizer* FirstGlobalLocalizer() {
    const std::vector<TGlobalLocalizer*>& globals = GlobalLocalizers();
    return globals.empty() ? nullptr : globals.front();
}

TGlobalLocalizer* TNewLocalizer::GlobalLocalizer() const {
    return FirstGlobalLocalizer();
}

void TNewLocalizer::SetActiveLanguage(const std::string& value) {
    if (AnsiSameText(value, file_.Language()) || !FileExists(NativePath(file_.FileNameOf(value))))
        return;
    file_.SetLanguage(value);
    Localize();
}

bool TNewLocalizer::OwnerIsUnforcedFrame() const {
    return !forceFrameSave_ && IsFrameClass(&Owner()->ClassInfo());
}

void TNewLocalizer::Localize() {
    TComponent* owner = Owner();
    if (owner == nullptr || owner->Name().empty())
        return;
    // A frame's texts belong to the window holding it unless forced.
    if (!OwnerIsUnforcedFrame())
        LocalizerWalk(*this, *owner, LocalizerWalk::Mode::Translate).Component(*owner);
    if (OnLocalize)
        OnLocalize(*this);
}

void TNewLocalizer::GenerateDefaultTexts() {
    TComponent* owner = Owner();
    if (owner == nullptr || owner->Name().empty())
        return;
    KeepBackup(file_.FileNameOf(kDefaultLanguage));
    file_.EraseSection(owner->Name());
    if (OwnerIsUnforcedFrame())
        return;
    LocalizerWalk(*this, *owner, LocalizerWalk::Mode::Generate).Component(*owner);
    for (int i = 0; i < constants_->Count(); ++i) {
        const std::string& entry = constants_->Strings(i);
        const std::size_t dot = entry.find('.');
        if (dot == std::string::npos || dot == 0)
            continue;
        const std::string rest = entry.substr(dot + 1);
        const std::size_t equals = rest.find('=');
        const std::string ident = rest.substr(0, equals);
        const std::string text = equals == std::string::npos ? "" : rest.substr(equals + 1);
        if (!ident.empty() && (!text.empty() || saveEmpty_))
            file_.WriteText(entry.substr(0, dot), ident, text);
    }
    ClearCache();
}

void TNewLocalizer::Loaded() {
    TComponent::Loaded();
    if (TGlobalLocalizer* global = GlobalLocalizer())
        SetActiveLanguage(global->ActiveLanguage());
}

}  // namespace nimbra
