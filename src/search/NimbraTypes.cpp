#include "search/NimbraTypes.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/Exception.h"
#include "base/FindBytes.h"
#include "base/Locale.h"
#include "base/WaitCursor.h"
#include "folders/NimbraCustomFolders.h"
#include "search/FileBrowser.h"
#include "search/ItemsView.h"
#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

bool IsPathDelimiter(char c) {
    return c == '\\' || c == '/';
}

// The last component of a folder path; the whole text for a drive root.
std::string_view RootTitle(std::string_view folder) {
    const std::size_t pos = folder.find_last_of("\\/:");
    const std::string_view last = pos == std::string_view::npos ? folder : folder.substr(pos + 1);
    return last.empty() ? folder : last;
}

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (pos < path.size()) {
        while (pos < path.size() && IsPathDelimiter(path[pos]))
            ++pos;
        std::size_t end = pos;
        while (end < path.size() && !IsPathDelimiter(path[end]))
            ++end;
        if (end > pos)
            parts.push_back(path.substr(pos, end - pos));
        pos = end;
    }
    return parts;
}

std::uint32_t CheckedOffset(std::size_t size) {
    if (size >= UINT32_MAX)
        throw Exception("The catalogue is too large");
    return static_cast<std::uint32_t>(size);
}

}  // namespace

std::string_view ExtractExtension(std::string_view name) {
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return {};
    if (name.find_first_of("\\:", dot) != std::string_view::npos)
        return {};
    return name.substr(dot);
}

std::string_view StripExtension(std::string_view name) {
    return name.substr(0, name.size() - ExtractExtension(name).size());
}

// ---- TProgramMenuItem --------------------------------------------------------

bool TProgramMenuItem::IsFolder() const {
    return (items_->flags_[index_] & TProgramMenuItems::kFolderFlag) != 0;
}

std::string TProgramMenuItem::Title() const {
    return items_->TitleOf(index_);
}

std::string_view TProgramMenuItem::SearchKey() const {
    return items_->Key(index_);
}

std::string TProgramMenuItem::Folder() const {
    if (IsFolder())
        return {};
    return items_->FullPathOf(items_->parent_[index_]);
}

std::string TProgramMenuItem::FileName() const {
    if (IsFolder())
        return items_->FullPathOf(index_);
    return std::string(items_->Name(index_));
}

std::string TProgramMenuItem::RelativePath() const {
    if (IsFolder())
        return {};
    std::vector<std::uint32_t> chain;
    std::uint32_t root = index_;
    while (items_->parent_[root] != kNoEntry) {
        chain.push_back(root);
        root = items_->parent_[root];
    }
    const auto& titles = items_->rootTitles_;
    const auto it =
        std::lower_bound(titles.begin(), titles.end(), root,
                         [](const auto& entry, std::uint32_t i) { return entry.first < i; });
    std::string path = (it != titles.end() && it->first == root) ? it->second : std::string();
    for (auto c = chain.rbegin(); c != chain.rend(); ++c)
        path = JoinPath(path, items_->Name(*c));
    return path;
}

TProgramMenuItem TProgramMenuItem::Parent() const {
    const std::uint32_t parent = items_->parent_[index_];
    return parent == kNoEntry ? TProgramMenuItem() : TProgramMenuItem(items_, parent);
}

bool TProgramMenuItem::Shown() const {
    return (items_->state_[index_] & TProgramMenuItems::kShownState) != 0;
}

bool TProgramMenuItem::Matches() const {
    return (items_->state_[index_] & TProgramMenuItems::kMatchesState) != 0;
}

int TProgramMenuItem::ImageIndex() const {
    return items_->imageIndex_[index_];
}

void TProgramMenuItem::SetImageIndex(int index) const {
    items_->imageIndex_[index_] = index;
}

TDateTime TProgramMenuItem::Changed() const {
    return items_->changed_[index_];
}

std::string TProgramMenuItem::FullPath() const {
    return items_->FullPathOf(index_);
}

int TProgramMenuItem::Level() const {
    int level = 0;
    for (std::uint32_t p = items_->parent_[index_]; p != kNoEntry; p = items_->parent_[p])
        ++level;
    return level;
}

int TProgramMenuItem::GetImageIndex() const {
    std::int32_t& image = items_->imageIndex_[index_];
    if (image == -1) {
        image = items_->defaultImageIndex_;
        if (items_->view_ != nullptr)
            items_->view_->QueueIcon(FullPath());
    }
    return image;
}

// ---- scanning ------------------------------------------------------------------

// Walks a folder tree depth first without recursion (trees may be deeper
// than the stack allows), adding entries in catalogue order.
class TProgramMenuItems::Scanner {
  public:
    Scanner(TProgramMenuItems& items, const std::atomic<bool>* stop) : items_(items), stop_(stop) {}

    void ScanTree(std::uint32_t rootEntry, const std::string& rootFolder) {
        Frame root{rootEntry, rootFolder};
        TFileBrowser::ReadFolderId(rootFolder, root.device, root.node);
        stack_.push_back(std::move(root));
        ListFolder(stack_.back());
        while (!stack_.empty() && !Stopped()) {
            Frame& top = stack_.back();
            if (top.nextSubfolder == top.subfolders.size()) {
                stack_.pop_back();
                continue;
            }
            Child& child = top.subfolders[top.nextSubfolder++];
            const std::uint32_t entry =
                items_.AddEntry(top.entry, child.name, child.name, true, child.changed);
            Frame next{entry, JoinPath(top.path, child.name), child.device, child.node};
            // A folder already open above this one is reached again through
            // a link: list it once only, or the walk would never end.
            if (IsOnStack(next))
                continue;
            stack_.push_back(std::move(next));
            ListFolder(stack_.back());
        }
    }

  private:
    struct Child {
        std::string name;
        std::string sortKey;
        TDateTime changed;
        std::uint64_t device;
        std::uint64_t node;
    };
    struct Frame {
        std::uint32_t entry;
        std::string path;
        std::uint64_t device = 0;
        std::uint64_t node = 0;
        std::vector<Child> subfolders;
        std::size_t nextSubfolder = 0;
        bool idRead = false;
    };

    // Where the platform identifies only linked folders while listing (the
    // only ones that can lead back), the folders open above are identified
    // when the first link is met, once each.
    bool IsOnStack(const Frame& frame) {
        if (!HasId(frame))
            return false;
        return std::any_of(stack_.begin(), stack_.end(), [&](Frame& f) {
            if (!HasId(f) && !f.idRead)
                TFileBrowser::ReadFolderId(f.path, f.device, f.node);
            f.idRead = true;
            return f.device == frame.device && f.node == frame.node;
        });
    }
    static bool HasId(const Frame& frame) { return frame.device != 0 || frame.node != 0; }
    bool Stopped() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }

    // Names in the locale's case-insensitive order, through sort keys made
    // once per name.
    static void SortByName(std::vector<Child>& children) {
        for (Child& child : children)
            child.sortKey = AnsiSortKey(child.name);
        std::sort(children.begin(), children.end(),
                  [](const Child& a, const Child& b) { return a.sortKey < b.sortKey; });
    }

    // Reads one folder level: adds its files, keeps its subfolders for later.
    void ListFolder(Frame& frame) {
        files_.clear();
        browser_.SetPath(frame.path);
        while (browser_.Next()) {
            Child child{browser_.Name(),
                        {},
                        browser_.LastWriteTime(),
                        browser_.DeviceId(),
                        browser_.NodeId()};
            (browser_.IsDirectory() ? frame.subfolders : files_).push_back(std::move(child));
        }
        browser_.SetPath({});
        SortByName(files_);
        SortByName(frame.subfolders);
        for (const Child& file : files_) {
            items_.AddFileEntry(frame.entry, file.name, file.changed);
        }
    }

    TProgramMenuItems& items_;
    const std::atomic<bool>* stop_;
    TFileBrowser browser_;
    std::vector<Frame> stack_;
    std::vector<Child> files_;
};

// ---- TProgramMenuItems -------------------------------------------------------

TProgramMenuItems::TProgramMenuItems(TDefaultImageLookup defaultImageLookup)
    : defaultImageLookup_(std::move(defaultImageLookup)) {
    defaultImageIndex_ = defaultImageLookup_ ? defaultImageLookup_() : -1;
    Clear();
}

TProgramMenuItems::~TProgramMenuItems() {
    if (view_ != nullptr)
        view_->SetItems(nullptr);
}

TProgramMenuItem TProgramMenuItems::Items(int index) {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return TProgramMenuItem(this, static_cast<std::uint32_t>(index));
}

void TProgramMenuItems::Clear() {
    nameOffset_.assign(1, 0);
    keyOffset_.assign(1, 0);
    parent_.clear();
    subtreeEnd_.clear();
    changed_.clear();
    imageIndex_.clear();
    flags_.clear();
    state_.clear();
    names_.clear();
    keys_.clear();
    rootTitles_.clear();
    pathMatches_.clear();
    matchSets_.Clear();
    // The view's rows name entries that are gone.
    if (view_ != nullptr)
        view_->ResetRows();
}

std::uint32_t TProgramMenuItems::AddEntry(std::uint32_t parent, std::string_view name,
                                          std::string_view title, bool isFolder,
                                          TDateTime changed) {
    const std::uint32_t index = CheckedOffset(parent_.size());
    matchSets_.Clear();
    const std::size_t namesSize = names_.size();
    const std::size_t keysSize = keys_.size();
    // All or nothing: the buffers and the per-entry vectors must stay in
    // step, or matching would read one entry's key as another's.
    try {
        names_.append(name);
        names_ += '\0';
        AppendAnsiUpperCase(keys_, title);
        keys_ += '\0';
        const std::uint32_t nameEnd = CheckedOffset(names_.size());
        const std::uint32_t keyEnd = CheckedOffset(keys_.size());
        nameOffset_.push_back(nameEnd);
        keyOffset_.push_back(keyEnd);
        parent_.push_back(parent);
        subtreeEnd_.push_back(index + 1);
        changed_.push_back(changed);
        imageIndex_.push_back(-1);
        flags_.push_back(isFolder ? kFolderFlag : 0);
        state_.push_back(0);
    } catch (...) {
        names_.resize(namesSize);
        keys_.resize(keysSize);
        nameOffset_.resize(index + 1);
        keyOffset_.resize(index + 1);
        parent_.resize(index);
        subtreeEnd_.resize(index);
        changed_.resize(index);
        imageIndex_.resize(index);
        flags_.resize(index);
        state_.resize(index);
        throw;
    }
    // Every folder above now ends after this entry.
    for (std::uint32_t p = parent; p != kNoEntry; p = parent_[p])
        subtreeEnd_[p] = index + 1;
    return index;
}

std::uint32_t TProgramMenuItems::AddFileEntry(std::uint32_t parent, std::string_view name,
                                              TDateTime changed) {
    // Only shortcuts lose their extension: "Notepad.lnk" is shown as
    // "Notepad", "Google.url" stays as it is.
    const std::string_view title =
        SameText(ExtractExtension(name), ".lnk") ? StripExtension(name) : name;
    return AddEntry(parent, name, title, false, changed);
}

std::uint32_t TProgramMenuItems::AddRootEntry(const std::string& folder,
                                              const std::string& rootTitle, TDateTime changed) {
    // The title is made and its slot reserved first, so that nothing can
    // fail once the entry is in.
    std::pair<std::uint32_t, std::string> title(CheckedOffset(parent_.size()), rootTitle);
    rootTitles_.reserve(rootTitles_.size() + 1);
    const std::uint32_t root = AddEntry(kNoEntry, folder, RootTitle(folder), true, changed);
    flags_[root] |= kRootFlag;
    rootTitles_.push_back(std::move(title));
    return root;
}

TProgramMenuItem TProgramMenuItems::AddRoot(const std::string& folder, const std::string& rootTitle,
                                            TDateTime changed) {
    return TProgramMenuItem(this, AddRootEntry(folder, rootTitle, changed));
}

// A catalogue built by hand keeps catalogue order too: finding by path relies
// on a folder's files forming one sorted run before its subfolders, and on
// every subtree being one stretch of entries.
void TProgramMenuItems::CheckOrder(TProgramMenuItem parent, std::string_view name,
                                   bool isFolder) const {
    const auto count = static_cast<std::uint32_t>(parent_.size());
    const std::uint32_t folder = parent.Index();
    const auto fail = [&](const char* why) {
        throw EListError("\"" + std::string(name) + "\" cannot be added here: " + why);
    };
    if (parent.Collection() != this || folder >= count || (flags_[folder] & kFolderFlag) == 0)
        fail("its parent is no folder of this catalogue");
    if (subtreeEnd_[folder] != count)
        fail("entries must follow their folder's last entry");
    // The entry added last directly into the same folder, if any.
    std::uint32_t previous = count - 1;
    while (previous != folder && parent_[previous] != folder)
        previous = parent_[previous];
    if (previous == folder)
        return;
    const bool previousIsFolder = (flags_[previous] & kFolderFlag) != 0;
    if (previousIsFolder && !isFolder)
        fail("files come before subfolders");
    if (previousIsFolder == isFolder && AnsiCompareText(Name(previous), name) > 0)
        fail("names must come in sorted order");
}

TProgramMenuItem TProgramMenuItems::AddFolder(TProgramMenuItem parent, std::string_view name,
                                              TDateTime changed) {
    CheckOrder(parent, name, true);
    return TProgramMenuItem(this, AddEntry(parent.Index(), name, name, true, changed));
}

TProgramMenuItem TProgramMenuItems::AddFile(TProgramMenuItem parent, std::string_view name,
                                            TDateTime changed) {
    CheckOrder(parent, name, false);
    return TProgramMenuItem(this, AddFileEntry(parent.Index(), name, changed));
}

std::vector<TScanRoot> IncludedRoots(const TCustomFolders& folders) {
    std::vector<TScanRoot> roots;
    for (int i = 0; i < folders.Count(); ++i) {
        const TCustomFolder* folder = folders.Items(i);
        if (!folder->Include())
            continue;
        const TCustomFolderPaths* paths = folder->Paths();
        for (int p = 0; p < paths->Count(); ++p) {
            const TCustomFolderPath* path = paths->Items(p);
            roots.push_back({path->FullPath(), StripHotkey(path->Title())});
        }
    }
    return roots;
}

void TProgramMenuItems::Rescan(const TCustomFolders& folders) {
    TWaitCursor wait;
    Clear();
    defaultImageIndex_ = defaultImageLookup_ ? defaultImageLookup_() : -1;
    ScanRoots(IncludedRoots(folders));
}

void TProgramMenuItems::ScanRoots(const std::vector<TScanRoot>& roots,
                                  const std::atomic<bool>* stop) {
    for (const TScanRoot& root : roots) {
        if (stop != nullptr && stop->load())
            break;
        ScanRoot(root.Folder, root.Title, stop);
    }
    ReleaseSpareRoom();
}

// The scan grew the storage step by step; give back what it will not use.
void TProgramMenuItems::ReleaseSpareRoom() {
    for (auto* v : {&nameOffset_, &keyOffset_, &parent_, &subtreeEnd_})
        v->shrink_to_fit();
    changed_.shrink_to_fit();
    imageIndex_.shrink_to_fit();
    flags_.shrink_to_fit();
    state_.shrink_to_fit();
    names_.shrink_to_fit();
    keys_.shrink_to_fit();
}

void TProgramMenuItems::ScanRoot(const std::string& folder, const std::string& rootTitle,
                                 const std::atomic<bool>* stop) {
    if (folder.empty())
        return;
    TDateTime changed = kZeroDate;
    if (!TFileBrowser::ReadFolderTime(folder, changed))
        changed = kZeroDate;
    const std::uint32_t root = AddRootEntry(folder, rootTitle, changed);
    Scanner(*this, stop).ScanTree(root, folder);
}

void TProgramMenuItems::Adopt(TProgramMenuItems& scanned) {
    SwapEntries(scanned);
    pathMatches_.clear();
    matchSets_.Clear();
    defaultImageIndex_ = defaultImageLookup_ ? defaultImageLookup_() : -1;
    if (view_ != nullptr)
        view_->ResetRows();
}

void TProgramMenuItems::SwapEntries(TProgramMenuItems& other) noexcept {
    nameOffset_.swap(other.nameOffset_);
    keyOffset_.swap(other.keyOffset_);
    parent_.swap(other.parent_);
    subtreeEnd_.swap(other.subtreeEnd_);
    changed_.swap(other.changed_);
    imageIndex_.swap(other.imageIndex_);
    flags_.swap(other.flags_);
    state_.swap(other.state_);
    names_.swap(other.names_);
    keys_.swap(other.keys_);
    rootTitles_.swap(other.rootTitles_);
}

std::string_view TProgramMenuItems::Name(std::uint32_t index) const {
    return std::string_view(names_).substr(nameOffset_[index],
                                           nameOffset_[index + 1] - nameOffset_[index] - 1);
}

std::string_view TProgramMenuItems::Key(std::uint32_t index) const {
    return std::string_view(keys_).substr(keyOffset_[index],
                                          keyOffset_[index + 1] - keyOffset_[index] - 1);
}

std::string TProgramMenuItems::TitleOf(std::uint32_t index) const {
    const std::string_view name = Name(index);
    if ((flags_[index] & kRootFlag) != 0)
        return std::string(RootTitle(name));
    if ((flags_[index] & kFolderFlag) == 0 && SameText(ExtractExtension(name), ".lnk"))
        return std::string(StripExtension(name));
    return std::string(name);
}

std::string TProgramMenuItems::FullPathOf(std::uint32_t index) const {
    if (parent_[index] == kNoEntry)
        return std::string(Name(index));
    return JoinPath(FullPathOf(parent_[index]), Name(index));
}

// ---- finding entries by path -------------------------------------------------

void TProgramMenuItems::CollectPathMatches(std::string_view path) {
    pathMatches_.clear();
    const std::vector<std::string_view> parts = SplitPath(path);
    if (parts.empty())
        return;
    for (const auto& [root, title] : rootTitles_) {
        const std::vector<std::string_view> rootParts = SplitPath(Name(root));
        if (rootParts.empty() || rootParts.size() > parts.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < rootParts.size() && same; ++i)
            same = AnsiSameText(rootParts[i], parts[i]);
        if (!same)
            continue;
        // Descend one level per remaining component.
        std::vector<std::uint32_t> level{root};
        for (std::size_t depth = rootParts.size(); depth < parts.size() && !level.empty();
             ++depth) {
            std::vector<std::uint32_t> next;
            for (std::uint32_t folder : level)
                FindChildren(folder, parts[depth], next);
            level = std::move(next);
        }
        pathMatches_.insert(pathMatches_.end(), level.begin(), level.end());
    }
    std::sort(pathMatches_.begin(), pathMatches_.end());
}

// A folder's files follow it as one run sorted by name (the scan's order,
// which is AnsiCompareText's), so they are found by binary search; its
// subfolders come after them, each followed by its subtree, and are visited
// one by one.
void TProgramMenuItems::FindChildren(std::uint32_t folder, std::string_view name,
                                     std::vector<std::uint32_t>& found) const {
    const std::uint32_t end = subtreeEnd_[folder];
    const auto firstWhere = [](std::uint32_t low, std::uint32_t high, const auto& stillBefore) {
        while (low < high) {
            const std::uint32_t mid = low + (high - low) / 2;
            if (stillBefore(mid))
                low = mid + 1;
            else
                high = mid;
        }
        return low;
    };
    // Entries of the run are the folder's own files; nothing after it is.
    const std::uint32_t filesEnd = firstWhere(folder + 1, end, [&](std::uint32_t i) {
        return parent_[i] == folder && (flags_[i] & kFolderFlag) == 0;
    });
    std::uint32_t file = firstWhere(
        folder + 1, filesEnd, [&](std::uint32_t i) { return AnsiCompareText(Name(i), name) < 0; });
    for (; file < filesEnd && AnsiSameText(Name(file), name); ++file)
        found.push_back(file);
    for (std::uint32_t child = filesEnd; child < end; child = subtreeEnd_[child])
        if (AnsiSameText(Name(child), name))
            found.push_back(child);
}

TProgramMenuItem TProgramMenuItems::FindByPath(std::string_view path, int& cursor) {
    CollectPathMatches(path);
    cursor = -1;
    return FindNextByPath(cursor);
}

TProgramMenuItem TProgramMenuItems::FindNextByPath(int& cursor) {
    const auto next = static_cast<std::size_t>(cursor + 1);
    if (next >= pathMatches_.size()) {
        cursor = -1;
        return {};
    }
    cursor = static_cast<int>(next);
    return TProgramMenuItem(this, pathMatches_[next]);
}

// ---- matching ------------------------------------------------------------------

bool TProgramMenuItems::PassesDate(std::uint32_t index, bool dateFilter, TDateTime boundary) const {
    return !dateFilter || boundary <= changed_[index];
}

void TProgramMenuItems::MarkWithAncestors(std::uint32_t index) {
    state_[index] = kShownState | kMatchesState;
    for (std::uint32_t p = parent_[index]; p != kNoEntry && (state_[p] & kShownState) == 0;
         p = parent_[p])
        state_[p] |= kShownState;
}

std::size_t TProgramMenuItems::MarkMatches(const TMatchRequest& request) {
    const auto count = static_cast<std::uint32_t>(state_.size());
    if (request.Words.empty() && !request.DateFilter) {
        std::fill(state_.begin(), state_.end(), kShownState | kMatchesState);
        return count;
    }
    std::fill(state_.begin(), state_.end(), 0);
    if (!request.Words.empty())
        return MatchWords(request);
    std::size_t matches = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (PassesDate(i, true, request.Boundary)) {
            MarkWithAncestors(i);
            ++matches;
        }
    }
    return matches;
}

// One substring search runs over all keys for the longest word (usually the
// rarest); each hit names its entry, which then must hold the other words
// too. Keys are NUL-separated, so no hit can span two entries.
std::size_t TProgramMenuItems::MatchWords(const TMatchRequest& request) {
    const std::vector<std::string>& words = request.Words;
    const auto longest =
        std::max_element(words.begin(), words.end(),
                         [](const auto& a, const auto& b) { return a.size() < b.size(); });
    const std::string& lead = *longest;
    const char* const base = keys_.data();
    const auto count = static_cast<std::uint32_t>(parent_.size());
    // Only bytes that belong to an entry are searched.
    const std::size_t total = keyOffset_[count];
    std::size_t matches = 0;
    std::size_t from = 0;
    std::uint32_t entry = 0;
    while (from < total) {
        const char* found = FindBytes(base + from, total - from, lead.data(), lead.size());
        if (found == nullptr)
            break;
        const auto hit = static_cast<std::size_t>(found - base);
        // Gallop forward to the entry whose key holds the hit: hits only move
        // forward, so the search costs little whether hits are dense or rare.
        std::uint32_t step = 1;
        std::uint32_t high = entry + 1;
        while (high < count && keyOffset_[high] <= hit) {
            entry = high;
            step *= 2;
            high = std::min<std::uint64_t>(count, std::uint64_t{entry} + step);
        }
        entry = static_cast<std::uint32_t>(
            std::upper_bound(keyOffset_.begin() + entry, keyOffset_.begin() + high, hit) -
            keyOffset_.begin() - 1);
        const std::string_view key = Key(entry);
        const bool allWords = std::all_of(words.begin(), words.end(), [&](const std::string& w) {
            return &w == &lead || key.find(w) != std::string_view::npos;
        });
        if (allWords && PassesDate(entry, request.DateFilter, request.Boundary)) {
            MarkWithAncestors(entry);
            ++matches;
        }
        // The next search starts behind this key, and never before the hit.
        from = std::max<std::size_t>(keyOffset_[entry + 1], hit + 1);
    }
    return matches;
}

std::vector<std::uint32_t> TProgramMenuItems::MatchesAmong(
    const std::vector<std::uint32_t>& rows) const {
    std::vector<std::uint32_t> matches;
    for (std::uint32_t row : rows)
        if ((state_[row] & kMatchesState) != 0)
            matches.push_back(row);
    return matches;
}

int TProgramMenuItems::Filter(const TMatchRequest& request, std::vector<std::uint32_t>& rows) {
    rows.clear();
    const TMatchSets::TStart start = matchSets_.Start(request);
    if (start.Candidates == nullptr) {
        const std::size_t matches = MarkMatches(request);
        const int firstMatch = CollectShown(rows);
        const bool everything = request.Words.empty() && !request.DateFilter;
        if (!everything && matches <= TMatchSets::MaxKept(state_.size()))
            matchSets_.Keep(request, MatchesAmong(rows), state_.size());
        return firstMatch;
    }
    std::fill(state_.begin(), state_.end(), 0);
    if (start.Exact()) {
        for (std::uint32_t entry : *start.Candidates)
            MarkWithAncestors(entry);
        return CollectShown(rows);
    }
    std::vector<std::uint32_t> matches;
    for (std::uint32_t entry : *start.Candidates) {
        if (start.TestDate && !PassesDate(entry, true, request.Boundary))
            continue;
        const std::string_view key = Key(entry);
        if (std::all_of(start.Words.begin(), start.Words.end(), [&](std::string_view w) {
                return key.find(w) != std::string_view::npos;
            })) {
            MarkWithAncestors(entry);
            matches.push_back(entry);
        }
    }
    const int firstMatch = CollectShown(rows);
    matchSets_.Keep(request, std::move(matches), state_.size());
    return firstMatch;
}

// Eight states are read at once; only their shown bits are visited.
int TProgramMenuItems::CollectShown(std::vector<std::uint32_t>& rows) const {
    static_assert(std::endian::native == std::endian::little,
                  "a state's bit in the word read below must follow its address");
    constexpr std::uint64_t kShownBits = 0x0101010101010101ULL * kShownState;
    int firstMatch = -1;
    const std::size_t count = state_.size();
    const std::uint8_t* states = state_.data();
    std::size_t base = 0;
    for (; base + 8 <= count; base += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, states + base, sizeof chunk);
        for (std::uint64_t shown = chunk & kShownBits; shown != 0; shown &= shown - 1) {
            const std::size_t i = base + static_cast<std::size_t>(std::countr_zero(shown)) / 8;
            if (firstMatch < 0 && (states[i] & kMatchesState) != 0)
                firstMatch = static_cast<int>(rows.size());
            rows.push_back(static_cast<std::uint32_t>(i));
        }
    }
    for (std::size_t i = base; i < count; ++i) {
        if ((states[i] & kShownState) == 0)
            continue;
        if (firstMatch < 0 && (states[i] & kMatchesState) != 0)
            firstMatch = static_cast<int>(rows.size());
        rows.push_back(static_cast<std::uint32_t>(i));
    }
    return firstMatch;
}
}  // namespace nimbra
