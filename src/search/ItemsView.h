#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "search/NimbraTypes.h"
#include "search/RecentPeriods.h"

namespace nimbra {

class TImageThread;
class UiDispatcher;

// What the view needs of the owner-data result list: it is told only the
// row count and asks for each row when it draws it.
class TResultList {
  public:
    virtual ~TResultList() = default;
    virtual void SetRowCount(int count) = 0;
    // The selected row, or -1.
    virtual int SelectedRow() const = 0;
    // Makes the row the selected one, gives it the focus mark and scrolls it
    // fully into view.
    virtual void SelectRow(int row) = 0;
    virtual void RedrawRow(int row) = 0;
    virtual void Invalidate() = 0;
};

// The texts and icon of one row.
struct TRowData {
    std::string Caption;
    int Indent = 0;
    std::string Path;
    std::string Changed;
    int ImageIndex = -1;
};

// A saved selection: the selected entry's folder and file name, and its row.
struct TItemsViewPos {
    std::string Folder;
    std::string FileName;
    int Index = -1;
};

// The icon index of a file in the system image list (-1 when it cannot be
// found); asked on the icon loader's thread.
using TIconLookup = std::function<int(const std::string& path)>;

// Turns the catalogue into the rows of the result list: matching, the
// folders above each match, the selection across refreshes, bold matches,
// and the queue of icons to load.
class TItemsView {
  public:
    TItemsView(UiDispatcher& dispatcher, TIconLookup iconLookup);
    ~TItemsView();
    TItemsView(const TItemsView&) = delete;
    TItemsView& operator=(const TItemsView&) = delete;

    TResultList* ListView() const { return listView_; }
    void SetListView(TResultList* list) { listView_ = list; }
    TProgramMenuItems* Items() const { return items_; }
    // Links the catalogue both ways (and unlinks a previous one).
    void SetItems(TProgramMenuItems* items);
    // Forgets the rows and tells the list it has none: the catalogue they
    // point into was cleared or replaced. The catalogue calls it.
    void ResetRows();

    const std::vector<std::uint32_t>& VisibleItems() const { return visibleItems_; }
    const std::string& Request() const { return request_; }
    bool RecentActive() const { return recentActive_; }

    void ApplyFilter(const std::string& request, bool recentActive, int periodValue,
                     TRecentPeriod periodUnit, bool rolling, bool select, bool autoScroll,
                     std::optional<int> firstDayOfWeek = std::nullopt);
    TProgramMenuItem SelectedItem() const;
    TProgramMenuItem ViewItem(int row) const;
    // Answers the list's request for one row; false for a row past the end.
    bool FillRow(int row, TRowData& data) const;
    // Whether the row is drawn in bold.
    bool DrawRow(int row) const;
    void RefreshEntry(TProgramMenuItem entry);
    std::optional<TItemsViewPos> SavePosition() const;
    void RestorePosition(const std::optional<TItemsViewPos>& position);

    // Called from the list's drawing (interface thread): queues a path for
    // its icon and wakes the loader.
    void QueueIcon(const std::string& path);
    // The loader's side of the queue: the most recently queued path, or
    // nullopt when the queue is empty.
    std::optional<std::string> TakeQueuedIcon();
    // Applies the loader's result (LoadedPath, LoadedImageIndex) to every
    // entry with that path; runs on the interface thread.
    void ApplyLoadedIcon();
    void SetLoadedIcon(const std::string& path, int imageIndex);

  private:
    TResultList* listView_ = nullptr;
    TProgramMenuItems* items_ = nullptr;
    std::vector<std::uint32_t> visibleItems_;
    std::string request_;
    bool recentActive_ = false;
    mutable std::mutex queueLock_;
    std::vector<std::string> iconQueue_;
    std::string loadedPath_;
    int loadedImageIndex_ = -1;
    std::unique_ptr<TImageThread> imageThread_;
};

// The request cut into upper-case words: outer blanks and control
// characters trimmed, split at spaces only, no empty words.
std::vector<std::string> SplitRequest(const std::string& request);

}  // namespace nimbra
