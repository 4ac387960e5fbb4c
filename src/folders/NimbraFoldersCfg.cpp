#include "folders/NimbraFoldersCfg.h"

#include <optional>
#include <string>
#include <vector>

#include "folders/NimbraCustomFolders.h"
#include "utils/ConfigFunUtils.h"
#include "utils/ConfigPropUtils.h"
#include "utils/ConfigUtils.h"

namespace nimbra {

TNimbraFoldersCfg* FoldersCfg = nullptr;

namespace {

constexpr char kOptionsSection[] = "Nimbra\\Options";
constexpr char kAutoMinimizeIdent[] = "AutoMinimize";
constexpr char kAutoScrollIdent[] = "AutoScroll";

// The list is stored by the property storage as the collection property
// "Folders" in this section: the count "Folders.Count" here, the entries in
// the sub-section "<section>.Folders" as "Item<i>..Title" and so on, each
// entry's locations counted by "Item<i>.Paths.Count" there and kept in
// "<section>.Folders.Item<i>.Paths".
constexpr char kFoldersSection[] = "Nimbra\\Folders";
constexpr char kCountIdent[] = "Folders.Count";
constexpr char kItemsSection[] = "Nimbra\\Folders.Folders";
// Written last, holding the count: a save that did not finish leaves none.
constexpr char kCompleteIdent[] = "Complete";

// Lists beyond these sizes are not the user's: they are damage, and loading
// them would only cost time and memory.
constexpr int kMaxStoredFolders = 256;
constexpr int kMaxStoredPaths = 64;

std::string PathsCountIdent(int item) {
    return "Item" + std::to_string(item) + ".Paths.Count";
}

std::string PathsSection(int item) {
    return std::string(kItemsSection) + ".Item" + std::to_string(item) + ".Paths";
}

// Publishes a list to the property storage under the name "Folders".
class TStoredFolders : public TPersistent {
  public:
    explicit TStoredFolders(TCustomFolders* folders) : folders_(folders) {}
    TCustomFolders* Folders() const { return folders_; }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TStoredFolders", &TPersistent::StaticClassInfo(),
                                     {Published("Folders", &TStoredFolders::Folders, nullptr)});
        return info;
    }

  private:
    TCustomFolders* folders_;
};

std::unique_ptr<TPropsStorage> FoldersStorage(TStoredFolders& holder) {
    auto storage = std::make_unique<TPropsStorage>();
    storage->Section = kFoldersSection;
    storage->AObject = &holder;
    BindToAppIni(*storage);
    return storage;
}

// A stored count within 0..max, or nullopt.
std::optional<int> ReadCount(const std::string& section, const std::string& ident, int max) {
    int count = 0;
    if (!TryStrToInt(Trim(AppIni().ReadString(section, ident, "")), count) || count < 0 ||
        count > max)
        return std::nullopt;
    return count;
}

// A location the list can have been saved with: a special folder, or a
// literal path that is not empty. Anything else was lost on the way.
bool IsSound(const TCustomFolderPath& path) {
    return path.PathType() == ptShell || !path.Path().empty();
}

// The stored list, or nullptr when none is stored or what is stored is
// incomplete or damaged. The counts are checked before anything is loaded,
// and the loaded list must have the entries and locations they announce.
std::unique_ptr<TCustomFolders> LoadStoredFolders() {
    const auto count = ReadCount(kFoldersSection, kCountIdent, kMaxStoredFolders);
    if (!count ||
        AppIni().ReadString(kFoldersSection, kCompleteIdent, "") != std::to_string(*count))
        return nullptr;
    std::vector<int> pathCounts;
    for (int i = 0; i < *count; ++i) {
        const auto paths = ReadCount(kItemsSection, PathsCountIdent(i), kMaxStoredPaths);
        if (!paths)
            return nullptr;
        pathCounts.push_back(*paths);
    }
    auto folders = std::make_unique<TCustomFolders>();
    TStoredFolders holder(folders.get());
    FoldersStorage(holder)->LoadProperties();
    if (folders->Count() != *count)
        return nullptr;
    for (int i = 0; i < *count; ++i) {
        const TCustomFolderPaths& paths = *folders->Items(i)->Paths();
        if (paths.Count() != pathCounts[static_cast<std::size_t>(i)])
            return nullptr;
        for (int p = 0; p < paths.Count(); ++p)
            if (!IsSound(*paths.Items(p)))
                return nullptr;
    }
    return folders;
}

void SaveFolders(TCustomFolders& folders) {
    const int previous = ReadCount(kFoldersSection, kCountIdent, kMaxStoredFolders).value_or(0);
    AppIni().EraseSection(kFoldersSection);
    TStoredFolders holder(&folders);
    FoldersStorage(holder)->StoreProperties();
    // The locations of entries that are gone have sections of their own.
    for (int i = folders.Count(); i < previous; ++i)
        AppIni().EraseSection(PathsSection(i));
    AppIni().WriteString(kFoldersSection, kCompleteIdent, std::to_string(folders.Count()));
}

}  // namespace

const TClassInfo& TNimbraFoldersCfg::StaticClassInfo() {
    static const TClassInfo info("TNimbraFoldersCfg", &TCommonCfgObject::StaticClassInfo());
    return info;
}

TNimbraFoldersCfg::TNimbraFoldersCfg(TCommonCfgManager* manager)
    : TCommonCfgObject(manager), folders_(std::make_unique<TCustomFolders>()) {
    AddDefaultFolders(*folders_);
}

TNimbraFoldersCfg::~TNimbraFoldersCfg() = default;

void TNimbraFoldersCfg::SetAutoMinimize(bool value) {
    autoMinimize_ = value;
    AppIni().WriteBool(kOptionsSection, kAutoMinimizeIdent, value);
}

void TNimbraFoldersCfg::SetAutoScroll(bool value) {
    autoScroll_ = value;
    AppIni().WriteBool(kOptionsSection, kAutoScrollIdent, value);
}

void TNimbraFoldersCfg::AfterLoad() {
    autoMinimize_ = AppIni().ReadBool(kOptionsSection, kAutoMinimizeIdent, false);
    autoScroll_ = AppIni().ReadBool(kOptionsSection, kAutoScrollIdent, true);
    if (const auto stored = LoadStoredFolders()) {
        folders_->Assign(*stored);
    } else {
        folders_->Clear();
        AddDefaultFolders(*folders_);
    }
}

void TNimbraFoldersCfg::BeforeSave() {
    SaveFolders(*folders_);
}

void TNimbraFoldersCfg::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TNimbraFoldersCfg*>(&source);
    if (other == nullptr) {
        TCommonCfgObject::Assign(source);
        return;
    }
    folders_->Assign(*other->folders_);
    foldersChanged_ = other->foldersChanged_;
}

}  // namespace nimbra
