#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/DateTime.h"
#include "search/MatchSets.h"

namespace nimbra {

class TCustomFolders;
class TItemsView;
class TProgramMenuItems;

inline constexpr std::uint32_t kNoEntry = UINT32_MAX;

// One folder a scan starts from, and the title its entries' paths begin
// with.
struct TScanRoot {
    std::string Folder;
    std::string Title;
};

// The roots of the included folders of the list, in list order: what a
// rescan reads. Taken on the interface thread, so that a scan elsewhere
// never touches the list.
std::vector<TScanRoot> IncludedRoots(const TCustomFolders& folders);

// A reference to one catalogue entry, for a file or a folder. Entries live
// in the catalogue, packed for speed and size; this small value names one
// of them and stays valid until the next Rescan or Clear.
class TProgramMenuItem {
  public:
    TProgramMenuItem() = default;
    TProgramMenuItem(TProgramMenuItems* items, std::uint32_t index)
        : items_(items), index_(index) {}

    bool IsValid() const { return items_ != nullptr && index_ != kNoEntry; }
    explicit operator bool() const { return IsValid(); }
    bool operator==(const TProgramMenuItem&) const = default;
    std::uint32_t Index() const { return index_; }
    TProgramMenuItems* Collection() const { return items_; }

    // A folder entry (a root or a subfolder); otherwise a file entry.
    bool IsFolder() const;
    // What the Title column shows: a shortcut's name without ".lnk", any
    // other file's full name, a folder's name (a root's last component).
    std::string Title() const;
    // Title in upper case (locale rules), prepared when scanned.
    std::string_view SearchKey() const;
    // The folder holding a file; empty for folder entries.
    std::string Folder() const;
    // A file's name; a folder's full path.
    std::string FileName() const;
    // The Path column: the root's title joined with the path below the root,
    // ending in the file name; empty for folder entries.
    std::string RelativePath() const;
    TProgramMenuItem Parent() const;
    bool Shown() const;
    bool Matches() const;
    int ImageIndex() const;
    void SetImageIndex(int index) const;
    TDateTime Changed() const;
    std::string FullPath() const;
    // Number of ancestors: the indent of the row.
    int Level() const;
    // The icon index to draw; the first call hands the path to the view's
    // icon queue and answers the placeholder until the icon is loaded.
    int GetImageIndex() const;

  private:
    TProgramMenuItems* items_ = nullptr;
    std::uint32_t index_ = kNoEntry;
};

// The catalogue: every file and folder below the included folders, in scan
// order (a folder before everything below it; per folder its files sorted by
// name, then each subfolder followed by its subtree).
class TProgramMenuItems {
  public:
    using TDefaultImageLookup = std::function<int()>;
    // The lookup gives the placeholder icon index (the shell's icon for a
    // plain file); it is asked at construction and at every Rescan.
    explicit TProgramMenuItems(TDefaultImageLookup defaultImageLookup);
    ~TProgramMenuItems();
    TProgramMenuItems(const TProgramMenuItems&) = delete;
    TProgramMenuItems& operator=(const TProgramMenuItems&) = delete;

    int Count() const { return static_cast<int>(parent_.size()); }
    TProgramMenuItem Items(int index);
    int DefaultImageIndex() const { return defaultImageIndex_; }
    TItemsView* View() const { return view_; }
    void SetView(TItemsView* view) { view_ = view; }

    // Frees every entry; the linked view forgets its rows.
    void Clear();
    // Rebuilds the catalogue from the included entries of the list, with the
    // wait cursor shown. Folders that are missing or unreadable add nothing
    // below their root entry.
    void Rescan(const TCustomFolders& folders);
    // Adds every root and everything below it, then gives back the spare
    // room; stops early, after the folder being read, once `stop` is set.
    // Touches nothing outside this catalogue: a fresh catalogue may be
    // scanned on any thread.
    void ScanRoots(const std::vector<TScanRoot>& roots, const std::atomic<bool>* stop = nullptr);
    // Adds one root folder and everything below it; an empty folder text
    // adds nothing.
    void ScanRoot(const std::string& folder, const std::string& rootTitle,
                  const std::atomic<bool>* stop = nullptr);
    // Takes over the entries of a catalogue scanned elsewhere, in one step:
    // this catalogue's entries go to `scanned` (to be freed with it), the
    // linked view forgets its rows and the placeholder icon is asked again,
    // as after a Rescan.
    void Adopt(TProgramMenuItems& scanned);

    // Building a catalogue without a disk (synthetic catalogues, tests):
    // entries must come in catalogue order, below a root added first (an
    // entry out of order raises EListError). An entry that cannot be added
    // (no memory) leaves the catalogue as it was.
    TProgramMenuItem AddRoot(const std::string& folder, const std::string& rootTitle,
                             TDateTime changed);
    TProgramMenuItem AddFolder(TProgramMenuItem parent, std::string_view name, TDateTime changed);
    TProgramMenuItem AddFile(TProgramMenuItem parent, std::string_view name, TDateTime changed);

    // The entries whose FullPath equals the path, ignoring case: the first
    // (and the cursor for the next), then the following ones; an invalid
    // entry and cursor -1 at the end.
    TProgramMenuItem FindByPath(std::string_view path, int& cursor);
    TProgramMenuItem FindNextByPath(int& cursor);

    // A whole filter: marks the matches and the folders above them, and
    // fills `rows` with the shown entries in order; returns the row of the
    // first match, or -1. A request that narrows a recent one tests only
    // that one's matches (see TMatchSets).
    int Filter(const TMatchRequest& request, std::vector<std::uint32_t>& rows);
    // The first pass of a full filter: marks every entry whose key holds all
    // words and whose date is not before the boundary (when the date filter
    // is on) as shown and matching, and makes the folders above it shown;
    // returns the number of matches.
    std::size_t MarkMatches(const TMatchRequest& request);
    // The second pass: appends the shown entries in order; returns the row
    // of the first matching one, or -1.
    int CollectShown(std::vector<std::uint32_t>& rows) const;
    // Frees the match sets kept for refining (the next filter is a full pass).
    void DropMatchSets() { matchSets_.Clear(); }

  private:
    friend class TProgramMenuItem;
    class Scanner;

    enum : std::uint8_t { kFolderFlag = 1, kRootFlag = 2 };
    enum : std::uint8_t { kShownState = 1, kMatchesState = 2 };

    std::uint32_t AddEntry(std::uint32_t parent, std::string_view name, std::string_view title,
                           bool isFolder, TDateTime changed);
    std::uint32_t AddFileEntry(std::uint32_t parent, std::string_view name, TDateTime changed);
    std::uint32_t AddRootEntry(const std::string& folder, const std::string& rootTitle,
                               TDateTime changed);
    void CheckOrder(TProgramMenuItem parent, std::string_view name, bool isFolder) const;
    std::string_view Name(std::uint32_t index) const;
    void ReleaseSpareRoom();
    void SwapEntries(TProgramMenuItems& other) noexcept;
    std::string_view Key(std::uint32_t index) const;
    std::string TitleOf(std::uint32_t index) const;
    std::string FullPathOf(std::uint32_t index) const;
    void MarkWithAncestors(std::uint32_t index);
    bool PassesDate(std::uint32_t index, bool dateFilter, TDateTime boundary) const;
    std::size_t MatchWords(const TMatchRequest& request);
    std::vector<std::uint32_t> MatchesAmong(const std::vector<std::uint32_t>& rows) const;
    void CollectPathMatches(std::string_view path);
    void FindChildren(std::uint32_t folder, std::string_view name,
                      std::vector<std::uint32_t>& found) const;

    TDefaultImageLookup defaultImageLookup_;
    int defaultImageIndex_ = -1;
    TItemsView* view_ = nullptr;

    // One slot per entry in each vector (struct of arrays: a filter touches
    // only keys, states and, for hits, dates and parents).
    std::vector<std::uint32_t> nameOffset_;  // + one end offset
    std::vector<std::uint32_t> keyOffset_;   // + one end offset
    std::vector<std::uint32_t> parent_;
    std::vector<std::uint32_t> subtreeEnd_;
    std::vector<TDateTime> changed_;
    mutable std::vector<std::int32_t> imageIndex_;
    std::vector<std::uint8_t> flags_;
    std::vector<std::uint8_t> state_;
    // Names and upper-case titles end to end, each followed by a NUL; one
    // substring search over `keys_` serves a whole filter.
    std::string names_;
    std::string keys_;
    // The title each root was scanned under, for the Path column.
    std::vector<std::pair<std::uint32_t, std::string>> rootTitles_;

    std::vector<std::uint32_t> pathMatches_;
    TMatchSets matchSets_;
};

// The text of a name up to its extension (the part from the last "." with
// no "\" or ":" after it); the whole name when there is none.
std::string_view StripExtension(std::string_view name);
std::string_view ExtractExtension(std::string_view name);

}  // namespace nimbra
