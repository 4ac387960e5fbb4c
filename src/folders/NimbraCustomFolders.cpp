#include "folders/NimbraCustomFolders.h"

#include <optional>

#include "base/Locale.h"
#include "shell/LocalizedSysFolders.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

const TTypeInfo& EnumTypeInfo(TCustomFolderPathType) {
    static const TTypeInfo info = MakeEnumTypeInfo("TCustomFolderPathType", {"ptShell", "ptDisk"});
    return info;
}

// ---- TCustomFolderPath -------------------------------------------------------

const TClassInfo& TCustomFolderPath::StaticClassInfo() {
    using T = TCustomFolderPath;
    static const TClassInfo info(
        typeid(TCustomFolderPath), "TCustomFolderPath", &TCollectionItem::StaticClassInfo(),
        {Published("Title", &T::Title, nullptr),
         Published("PathType", &T::PathType, &T::SetPathType, ptDisk),
         Published("Path", &T::Path, &T::SetPath),
         Published("ShellFolder", &T::ShellFolder, &T::SetShellFolder, sfDesktop)});
    return info;
}

std::string TCustomFolderPath::Title() const {
    return pathType_ == ptDisk ? path_ : GetShellFolderName(shellFolder_);
}

std::string TCustomFolderPath::FullPath() const {
    return pathType_ == ptDisk ? path_ : GetShellFolderPath(shellFolder_, false);
}

void TCustomFolderPath::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCustomFolderPath*>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    path_ = other->path_;
    shellFolder_ = other->shellFolder_;
    pathType_ = other->pathType_;
}

// ---- TCustomFolderPaths ------------------------------------------------------

const TClassInfo& TCustomFolderPaths::StaticClassInfo() {
    static const TClassInfo info(typeid(TCustomFolderPaths), "TCustomFolderPaths",
                                 &TCollection::StaticClassInfo());
    return info;
}

TCustomFolderPath* TCustomFolderPaths::AddShell(TShellFolder folder) {
    TCustomFolderPath* path = Add();
    path->SetPathType(ptShell);
    path->SetShellFolder(folder);
    return path;
}

TCustomFolderPath* TCustomFolderPaths::AddDisk(const std::string& value) {
    TCustomFolderPath* path = Add();
    path->SetPathType(ptDisk);
    path->SetPath(value);
    return path;
}

// ---- TCustomFolder -------------------------------------------------------------

const TClassInfo& TCustomFolder::StaticClassInfo() {
    using T = TCustomFolder;
    static const TClassInfo info(
        typeid(TCustomFolder), "TCustomFolder", &TCollectionItem::StaticClassInfo(),
        {Published("Paths", &T::Paths, &T::SetPaths),
         Published("Title", &T::Title, &T::SetTitle, std::nullopt, &T::IsTitleStored),
         Published("Include", &T::Include, &T::SetInclude, true),
         Published("Separator", &T::Separator, &T::SetSeparator, false)});
    return info;
}

TCustomFolder::TCustomFolder(TCollection* collection)
    : TCollectionItem(collection), paths_(std::make_unique<TCustomFolderPaths>()) {}

TCustomFolder::~TCustomFolder() = default;

void TCustomFolder::SetPaths(TCustomFolderPaths* value) {
    if (value != nullptr && value != paths_.get())
        paths_->Assign(*value);
    // The dialogs write the title back before the paths.
    if (IsTitleAutomatic())
        title_.clear();
}

std::string TCustomFolder::Title() const {
    if (separator_)
        return GetLocalizedString(CodeText("Nimbra", "Separator"));
    return IsTitleAutomatic() ? DefaultTitle() : title_;
}

void TCustomFolder::SetTitle(const std::string& value) {
    title_ = value;
    // Decided now as well as on every read, so that a default title taken
    // in one language still counts as the default after a switch.
    if (IsTitleAutomatic())
        title_.clear();
}

std::string TCustomFolder::DefaultTitle() const {
    return paths_->Count() > 0 ? "&" + paths_->Items(0)->Title() : std::string();
}

bool TCustomFolder::IsTitleAutomatic() const {
    if (title_.empty() || title_ == DefaultTitle())
        return true;
    // Lists saved before titles followed the language hold the built-in
    // English default as literal text.
    if (paths_->Count() == 0)
        return false;
    const TCustomFolderPath& first = *paths_->Items(0);
    return first.PathType() == ptShell &&
           title_ == "&" + std::string(ShellFolderInfo(first.ShellFolder()).Name);
}

std::string TCustomFolder::PathsText() const {
    std::string text;
    for (int i = 0; i < paths_->Count(); ++i) {
        if (i > 0)
            text += ", ";
        text += paths_->Items(i)->Title();
    }
    return text;
}

void TCustomFolder::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCustomFolder*>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    paths_->Assign(*other->paths_);
    SetTitle(other->Title());
    include_ = other->include_;
    separator_ = other->separator_;
}

// ---- TCustomFolders --------------------------------------------------------------

const TClassInfo& TCustomFolders::StaticClassInfo() {
    static const TClassInfo info(typeid(TCustomFolders), "TCustomFolders",
                                 &TCollection::StaticClassInfo());
    return info;
}

TCustomFolder* TCustomFolders::AddSeparator() {
    TCustomFolder* folder = Add();
    folder->SetSeparator(true);
    return folder;
}

namespace {

// Whether two folder paths name the same folder, as far as their text tells:
// letter case and trailing separators aside.
bool SameFolderPath(std::string_view a, std::string_view b) {
    const auto trimmed = [](std::string_view path) {
        while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
            path.remove_suffix(1);
        return path;
    };
    return AnsiSameText(trimmed(a), trimmed(b));
}

}  // namespace

void AddDefaultFolders(TCustomFolders& folders) {
    struct DefaultEntry {
        TShellFolder first;
        std::optional<TShellFolder> allUsers;
    };
    static constexpr DefaultEntry kDefaults[] = {
        {sfStartMenu, sfCommonStartMenu}, {sfDesktop, sfCommonDesktopDirectory},
        {sfPersonal, sfCommonDocuments},  {sfFavorites, sfCommonFavorites},
        {sfRecent, std::nullopt},
    };
    folders.BeginUpdate();
    for (const DefaultEntry& entry : kDefaults) {
        const std::string path = GetShellFolderPath(entry.first, false);
        if (path.empty())
            continue;
        // The title stays empty: it follows the first path and the language.
        TCustomFolder* folder = folders.Add();
        folder->SetInclude(true);
        folder->Paths()->AddShell(entry.first);
        // Current Windows resolves the all-users Favorites to the user's own
        // folder; listing it twice would show every favourite twice.
        if (!entry.allUsers)
            continue;
        const std::string allUsersPath = GetShellFolderPath(*entry.allUsers, false);
        if (!allUsersPath.empty() && !SameFolderPath(path, allUsersPath))
            folder->Paths()->AddShell(*entry.allUsers);
    }
    folders.EndUpdate();
}

}  // namespace nimbra
