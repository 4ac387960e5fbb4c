#include "folders/NimbraFoldersCfg.h"

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/StringList.h"
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
// "Folders" below a root section: the count "Folders.Count" in the root, the
// entries in "<root>.Folders" as "Item<i>..Title" and so on, each entry's
// locations counted by "Item<i>.Paths.Count" there and kept in
// "<root>.Folders.Item<i>.Paths".
constexpr char kFoldersRoot[] = "Nimbra\\Folders";
// A stored list that loading refused is kept here, in the same form, before
// anything can overwrite it.
constexpr char kBackupRoot[] = "Nimbra\\FoldersBackup";
constexpr char kCountIdent[] = "Folders.Count";
static_assert(kMaxStoredFolders <= kMaxStoredListItems && kMaxStoredPaths <= kMaxStoredListItems,
              "the property storage must load every list that is stored");
// Written last, holding the count: a save that did not finish leaves none.
constexpr char kCompleteIdent[] = "Complete";

std::string ItemsSection(const std::string& root) {
    return root + ".Folders";
}

std::string PathsSection(const std::string& root, int item) {
    return ItemsSection(root) + ".Item" + std::to_string(item) + ".Paths";
}

std::string PathsCountIdent(int item) {
    return "Item" + std::to_string(item) + ".Paths.Count";
}

// Publishes a list to the property storage under the name "Folders".
class TStoredFolders : public TPersistent {
  public:
    explicit TStoredFolders(TCustomFolders* folders) : folders_(folders) {}
    TCustomFolders* Folders() const { return folders_; }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(typeid(TStoredFolders), "TStoredFolders",
                                     &TPersistent::StaticClassInfo(),
                                     {Published("Folders", &TStoredFolders::Folders, nullptr)});
        return info;
    }

  private:
    TCustomFolders* folders_;
};

std::unique_ptr<TPropsStorage> FoldersStorage(TStoredFolders& holder) {
    auto storage = std::make_unique<TPropsStorage>();
    storage->Section = kFoldersRoot;
    storage->AObject = &holder;
    BindToAppIni(*storage);
    return storage;
}

// The values of a section as (name, value), integers as decimal text.
std::vector<std::pair<std::string, std::string>> SectionValues(const std::string& section) {
    TStringList lines;
    AppIni().ReadSectionValues(section, lines);
    std::vector<std::pair<std::string, std::string>> values;
    for (int i = 0; i < lines.Count(); ++i)
        values.emplace_back(lines.Names(i), lines.ValueFromIndex(i));
    return values;
}

// A stored count within 0..max, or nullopt.
std::optional<int> ReadCount(const std::string& section, const std::string& ident, int max) {
    int count = 0;
    if (!TryStrToInt(Trim(AppIni().ReadString(section, ident, "")), count) || count < 0 ||
        count > max)
        return std::nullopt;
    return count;
}

// The positions of the entries of the list below `root`: those its count
// announces (when that is no damage) and those that left any value in the
// entries section, whatever the count says.
std::set<int> StoredItems(const std::string& root) {
    std::set<int> items;
    const int count = ReadCount(root, kCountIdent, kMaxStoredFolders).value_or(0);
    for (int item = 0; item < count; ++item)
        items.insert(item);
    for (const auto& [name, value] : SectionValues(ItemsSection(root))) {
        const std::size_t dot = name.find('.');
        int item = 0;
        if (name.starts_with("Item") && dot != std::string::npos &&
            TryStrToInt(std::string_view(name).substr(4, dot - 4), item) && item >= 0)
            items.insert(item);
    }
    return items;
}

// Every section of the list below `root`: the root, the entries, and the
// locations of each entry.
std::vector<std::string> ListSections(const std::string& root) {
    std::vector<std::string> sections = {root, ItemsSection(root)};
    for (int item : StoredItems(root))
        sections.push_back(PathsSection(root, item));
    return sections;
}

void EraseList(const std::string& root) {
    for (const std::string& section : ListSections(root))
        AppIni().EraseSection(section);
}

bool IsListStored(const std::string& root) {
    return AppIni().SectionExists(root) || AppIni().SectionExists(ItemsSection(root));
}

// Keeps the stored list, value for value, under the backup root, replacing
// an earlier backup. The values are copied as text, DWORDs included.
void BackUpList() {
    EraseList(kBackupRoot);
    const std::string from(kFoldersRoot);
    for (const std::string& section : ListSections(from)) {
        const std::string to = kBackupRoot + section.substr(from.size());
        for (const auto& [name, value] : SectionValues(section))
            AppIni().WriteString(to, name, value);
    }
}

// A location the list can have been saved with: a special folder, or a
// literal path that is not empty. Anything else was lost on the way.
bool IsSound(const TCustomFolderPath& path) {
    return path.PathType() == ptShell || !path.Path().empty();
}

// The stored list, or nullptr when none is stored or what is stored is
// incomplete or damaged. The counts are checked before anything is loaded,
// against the limits and against the values actually there (every stored
// location leaves at least one value), so a damaged count costs no more
// than the data present; the loaded list must then have the entries and
// locations they announce.
std::unique_ptr<TCustomFolders> LoadStoredFolders() {
    const auto count = ReadCount(kFoldersRoot, kCountIdent, kMaxStoredFolders);
    if (!count || AppIni().ReadString(kFoldersRoot, kCompleteIdent, "") != std::to_string(*count))
        return nullptr;
    std::vector<int> pathCounts;
    for (int i = 0; i < *count; ++i) {
        const auto paths =
            ReadCount(ItemsSection(kFoldersRoot), PathsCountIdent(i), kMaxStoredPaths);
        if (!paths ||
            static_cast<int>(SectionValues(PathsSection(kFoldersRoot, i)).size()) < *paths)
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

// Refuses, before anything is written, a list that loading would refuse.
void CheckStorable(const TCustomFolders& folders) {
    bool storable = folders.Count() <= kMaxStoredFolders;
    for (int i = 0; storable && i < folders.Count(); ++i)
        storable = folders.Items(i)->Paths()->Count() <= kMaxStoredPaths;
    if (!storable)
        throw Exception("The include-folders list is too long to be stored (at most " +
                        std::to_string(kMaxStoredFolders) + " entries of at most " +
                        std::to_string(kMaxStoredPaths) + " folders each).");
}

void SaveFolders(TCustomFolders& folders) {
    CheckStorable(folders);
    EraseList(kFoldersRoot);
    TStoredFolders holder(&folders);
    FoldersStorage(holder)->StoreProperties();
    AppIni().WriteString(kFoldersRoot, kCompleteIdent, std::to_string(folders.Count()));
}

}  // namespace

const TClassInfo& TNimbraFoldersCfg::StaticClassInfo() {
    static const TClassInfo info(typeid(TNimbraFoldersCfg), "TNimbraFoldersCfg",
                                 &TCommonCfgObject::StaticClassInfo());
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
        return;
    }
    // The next save replaces what is stored; a refused list must survive it.
    if (IsListStored(kFoldersRoot))
        BackUpList();
    folders_->Clear();
    AddDefaultFolders(*folders_);
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
