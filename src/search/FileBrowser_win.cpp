#include <windows.h>

#include "base/Handles_win.h"
#include "base/Unicode.h"
#include "search/FileBrowser.h"
#include "utils/MiscUtils.h"

namespace nimbra {

struct TFileBrowser::Listing {
    TFindHandle find;
    WIN32_FIND_DATAW data{};
    bool hasPending = false;  // FindFirstFileExW already delivered an entry
};

TFileBrowser::TFileBrowser() = default;
TFileBrowser::~TFileBrowser() = default;

void TFileBrowser::Close() {
    listing_.reset();
    exhausted_ = false;
}

namespace {

std::int64_t FileTimeTicks(const FILETIME& ft) {
    return (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

bool IsDotEntry(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') ||
           (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

// Short names are not needed, and the large fetch lets the file system
// return more entries per call.
HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    return FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                            FIND_FIRST_EX_LARGE_FETCH);
}

}  // namespace

bool TFileBrowser::Next() {
    if (exhausted_)
        return false;
    if (!listing_) {
        listing_ = std::make_unique<Listing>();
        listing_->find.Reset(FindFirst(ToWide(JoinPath(path_, filter_)), listing_->data));
        if (!listing_->find) {
            exhausted_ = true;
            return false;
        }
        listing_->hasPending = true;
    }
    for (;;) {
        if (!listing_->hasPending && !FindNextFileW(listing_->find.Get(), &listing_->data)) {
            exhausted_ = true;
            listing_.reset();
            return false;
        }
        listing_->hasPending = false;
        const WIN32_FIND_DATAW& data = listing_->data;
        if (IsDotEntry(data.cFileName))
            continue;
        name_ = ToUtf8(data.cFileName);
        isDirectory_ = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        lastWrite_ = converter_.ToLocal(FileTimeToUtcDateTime(FileTimeTicks(data.ftLastWriteTime)));
        device_ = 0;
        node_ = 0;
        // Only a linked folder (junction, symbolic link) can lead back into
        // the tree; ordinary folders are not opened for their identity.
        if (isDirectory_ && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            ReadFolderId(FullPath(), device_, node_);
        return true;
    }
}

bool TFileBrowser::ReadFolderTime(const std::string& folder, TDateTime& changed) {
    if (folder.empty())
        return false;
    WIN32_FIND_DATAW data{};
    // The folder itself, not its contents: no wildcard. A drive root has no
    // such entry and fails here.
    const TFindHandle find(FindFirst(ToWide(folder), data));
    if (!find)
        return false;
    changed = UtcToLocal(FileTimeToUtcDateTime(FileTimeTicks(data.ftLastWriteTime)));
    return true;
}

// The volume's serial number and the file index of the folder a path leads
// to, links followed.
bool TFileBrowser::ReadFolderId(const std::string& folder, std::uint64_t& device,
                                std::uint64_t& node) {
    if (folder.empty())
        return false;
    // Opening a folder needs backup semantics; no access right is asked
    // for, so any folder that can be listed can be identified.
    const TFileHandle file(CreateFileW(
        ToWide(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.Get(), &info))
        return false;
    device = info.dwVolumeSerialNumber;
    node = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

}  // namespace nimbra
