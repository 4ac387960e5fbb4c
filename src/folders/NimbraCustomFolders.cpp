#include "folders/NimbraCustomFolders.h"

#include <optional>

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
        "TCustomFolderPath", &TCollectionItem::StaticClassInfo(),
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
    static const TClassInfo info("TCustomFolderPaths", &TCollection::StaticClassInfo());
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
        "TCustomFolder", &TCollectionItem::StaticClassInfo(),
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
}

std::string TCustomFolder::Title() const {
    if (separator_)
        return GetLocalizedString(CodeText("Nimbra", "Separator"));
    return title_;
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
    title_ = other->Title();
    include_ = other->include_;
    separator_ = other->separator_;
}

// ---- TCustomFolders --------------------------------------------------------------

const TClassInfo& TCustomFolders::StaticClassInfo() {
    static const TClassInfo info("TCustomFolders", &TCollection::StaticClassInfo());
    return info;
}

TCustomFolder* TCustomFolders::AddSeparator() {
    TCustomFolder* folder = Add();
    folder->SetSeparator(true);
    return folder;
}

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
        if (!ShellFolderExists(entry.first))
            continue;
        TCustomFolder* folder = folders.Add();
        folder->SetTitle("&" + GetShellFolderName(entry.first));
        folder->SetInclude(true);
        folder->Paths()->AddShell(entry.first);
        if (entry.allUsers && ShellFolderExists(*entry.allUsers))
            folder->Paths()->AddShell(*entry.allUsers);
    }
    folders.EndUpdate();
}

}  // namespace nimbra
