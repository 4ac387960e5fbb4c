#pragma once

#include <memory>
#include <string>

#include "base/Collections.h"
#include "shell/SysFolders.h"

namespace nimbra {

// Whether a location is a named special folder or a literal path.
enum TCustomFolderPathType { ptShell, ptDisk };
const TTypeInfo& EnumTypeInfo(TCustomFolderPathType);

// One location of an include-folders entry.
class TCustomFolderPath : public TCollectionItem {
  public:
    using TCollectionItem::TCollectionItem;

    // The literal path, or the localized name of the special folder.
    std::string Title() const;
    TCustomFolderPathType PathType() const { return pathType_; }
    void SetPathType(TCustomFolderPathType value) { pathType_ = value; }
    const std::string& Path() const { return path_; }
    void SetPath(const std::string& value) { path_ = value; }
    TShellFolder ShellFolder() const { return shellFolder_; }
    void SetShellFolder(TShellFolder value) { shellFolder_ = value; }

    // The folder to scan: the literal path, or the special folder's current
    // path (never created); empty when it has none on this system.
    std::string FullPath() const;

    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override { return Title(); }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    TCustomFolderPathType pathType_ = ptDisk;
    std::string path_;
    TShellFolder shellFolder_ = sfDesktop;
};

class TCustomFolderPaths : public TTypedCollection<TCustomFolderPath> {
  public:
    TCustomFolderPath* AddShell(TShellFolder folder);
    TCustomFolderPath* AddDisk(const std::string& path);
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// An entry of the include-folders menu: a titled group of locations, or a
// separator.
class TCustomFolder : public TCollectionItem {
  public:
    explicit TCustomFolder(TCollection* collection);
    ~TCustomFolder() override;

    TCustomFolderPaths* Paths() const { return paths_.get(); }
    // Copies the items of `value`.
    void SetPaths(TCustomFolderPaths* value);
    // A separator's title is always the localized separator text. A title
    // that is the entry's default title (in the active language or in the
    // built-in one), or empty, follows the first path and the language and
    // is not stored: a language switch renames the default entries.
    std::string Title() const;
    void SetTitle(const std::string& value);
    // "&" followed by the title of the first path; empty without paths.
    std::string DefaultTitle() const;
    bool Include() const { return include_; }
    void SetInclude(bool value) { include_ = value; }
    bool Separator() const { return separator_; }
    void SetSeparator(bool value) { separator_ = value; }

    // The titles of the paths joined by ", ".
    std::string PathsText() const;

    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override { return Title(); }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    bool IsTitleAutomatic() const;
    bool IsTitleStored() const { return !separator_ && !IsTitleAutomatic(); }

    std::unique_ptr<TCustomFolderPaths> paths_;
    std::string title_;
    bool include_ = true;
    bool separator_ = false;
};

class TCustomFolders : public TTypedCollection<TCustomFolder> {
  public:
    TCustomFolder* AddSeparator();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Appends the default entries (Start menu, desktop, documents, favourites,
// recent files; each only where its folder exists, with its all-users
// counterpart where that exists and is another folder) after what
// `folders` already holds. Their titles follow the language.
void AddDefaultFolders(TCustomFolders& folders);

}  // namespace nimbra
