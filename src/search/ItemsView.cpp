#include "search/ItemsView.h"

#include <algorithm>

#include "base/FormatSettings.h"
#include "base/Locale.h"
#include "base/WaitCursor.h"
#include "search/ImageThread.h"

namespace nimbra {

std::vector<std::string> SplitRequest(const std::string& request) {
    std::size_t begin = 0;
    std::size_t end = request.size();
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (begin < end && isBlank(request[begin]))
        ++begin;
    while (end > begin && isBlank(request[end - 1]))
        --end;
    const std::string upper = AnsiUpperCase(std::string_view(request).substr(begin, end - begin));
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < upper.size()) {
        const std::size_t space = upper.find(' ', pos);
        const std::size_t stop = space == std::string::npos ? upper.size() : space;
        if (stop > pos)
            words.push_back(upper.substr(pos, stop - pos));
        pos = stop + 1;
    }
    return words;
}

TItemsView::TItemsView(UiDispatcher& dispatcher, TIconLookup iconLookup)
    : imageThread_(std::make_unique<TImageThread>(*this, dispatcher, std::move(iconLookup))) {}

TItemsView::~TItemsView() {
    imageThread_.reset();
    // The list may already be gone; only the catalogue's back link matters.
    listView_ = nullptr;
    SetItems(nullptr);
}

void TItemsView::SetItems(TProgramMenuItems* items) {
    if (items_ == items)
        return;
    if (items_ != nullptr && items_->View() == this)
        items_->SetView(nullptr);
    items_ = items;
    ResetRows();
    if (items_ != nullptr)
        items_->SetView(this);
}

void TItemsView::ResetRows() {
    visibleItems_.clear();
    if (listView_ != nullptr)
        listView_->SetRowCount(0);
}

void TItemsView::ApplyFilter(const std::string& request, bool recentActive, int periodValue,
                             TRecentPeriod periodUnit, bool rolling, bool select, bool autoScroll,
                             std::optional<int> firstDayOfWeek) {
    request_ = request;
    recentActive_ = recentActive;
    if (items_ == nullptr || listView_ == nullptr)
        return;
    const TDateTime boundary = PeriodStart(periodValue, periodUnit, rolling, Now(), firstDayOfWeek);
    const TMatchRequest match{SplitRequest(request), recentActive, boundary};
    TWaitCursor wait;
    visibleItems_.clear();
    visibleItems_.reserve(static_cast<std::size_t>(items_->Count()));
    const int firstMatch = items_->Filter(match, visibleItems_);
    const int rows = static_cast<int>(visibleItems_.size());
    listView_->SetRowCount(rows);
    if (select) {
        if (autoScroll && firstMatch >= 0) {
            listView_->SelectRow(firstMatch);
        } else if (rows > 0) {
            listView_->SelectRow(0);
        }
        listView_->Invalidate();
    }
}

TProgramMenuItem TItemsView::ViewItem(int row) const {
    if (items_ == nullptr || row < 0 || row >= static_cast<int>(visibleItems_.size()))
        return {};
    return TProgramMenuItem(items_, visibleItems_[static_cast<std::size_t>(row)]);
}

TProgramMenuItem TItemsView::SelectedItem() const {
    if (listView_ == nullptr)
        return {};
    return ViewItem(listView_->SelectedRow());
}

bool TItemsView::FillRow(int row, TRowData& data) const {
    const TProgramMenuItem entry = ViewItem(row);
    if (!entry)
        return false;
    data.Caption = entry.Title();
    data.Indent = entry.Level();
    data.Path = entry.RelativePath();
    data.Changed = DateTimeToDisplayText(entry.Changed());
    data.ImageIndex = entry.GetImageIndex();
    return true;
}

bool TItemsView::DrawRow(int row) const {
    if (request_.empty() && !recentActive_)
        return false;
    const TProgramMenuItem entry = ViewItem(row);
    return entry && entry.Matches();
}

void TItemsView::RefreshEntry(TProgramMenuItem entry) {
    if (listView_ == nullptr || !entry)
        return;
    for (std::size_t row = 0; row < visibleItems_.size(); ++row) {
        if (visibleItems_[row] == entry.Index()) {
            listView_->RedrawRow(static_cast<int>(row));
            return;
        }
    }
}

std::optional<TItemsViewPos> TItemsView::SavePosition() const {
    if (listView_ == nullptr)
        return std::nullopt;
    const int row = listView_->SelectedRow();
    const TProgramMenuItem entry = ViewItem(row);
    if (!entry)
        return std::nullopt;
    return TItemsViewPos{entry.Folder(), entry.FileName(), row};
}

void TItemsView::RestorePosition(const std::optional<TItemsViewPos>& position) {
    if (listView_ == nullptr)
        return;
    int row = 0;
    if (position) {
        row = position->Index;
        for (std::size_t r = 0; r < visibleItems_.size(); ++r) {
            const TProgramMenuItem entry(items_, visibleItems_[r]);
            // The file name is cheap to compare and rules out nearly every
            // row before the folder path is built.
            if (entry.FileName() == position->FileName && entry.Folder() == position->Folder) {
                row = static_cast<int>(r);
                break;
            }
        }
    }
    const int rows = static_cast<int>(visibleItems_.size());
    if (rows == 0)
        return;
    listView_->SelectRow(std::clamp(row, 0, rows - 1));
}

void TItemsView::QueueIcon(const std::string& path) {
    {
        std::lock_guard lock(queueLock_);
        iconQueue_.push_back(path);
    }
    imageThread_->Wake();
}

std::optional<std::string> TItemsView::TakeQueuedIcon() {
    std::lock_guard lock(queueLock_);
    if (iconQueue_.empty())
        return std::nullopt;
    std::string path = std::move(iconQueue_.back());
    iconQueue_.pop_back();
    return path;
}

void TItemsView::SetLoadedIcon(const std::string& path, int imageIndex) {
    loadedImageIndex_ = imageIndex;
    loadedPath_ = path;
}

void TItemsView::ApplyLoadedIcon() {
    if (loadedPath_.empty() || items_ == nullptr)
        return;
    int cursor = -1;
    for (TProgramMenuItem entry = items_->FindByPath(loadedPath_, cursor); entry;
         entry = items_->FindNextByPath(cursor)) {
        entry.SetImageIndex(loadedImageIndex_);
        RefreshEntry(entry);
    }
}

}  // namespace nimbra
