#include "shell/MyFolderMonitor.h"

#include <exception>

#include "base/ErrorDisplay.h"

namespace nimbra {

const TTypeInfo& EnumTypeInfo(TMyFolderNotify) {
    static const TTypeInfo info = MakeEnumTypeInfo(
        "TMyFolderNotify", {"fnFileNameChange", "fnDirNameChange", "fnAttributeChange",
                            "fnSizeChange", "fnLastWriteChange", "fnSecurityChange"});
    return info;
}

std::uint32_t FolderNotifyFilter(TMyFolderNotifies notifies) {
    // The platform's FILE_NOTIFY_CHANGE_* bits, in enumeration order.
    static constexpr std::uint32_t kBits[] = {0x001, 0x002, 0x004, 0x008, 0x010, 0x100};
    std::uint32_t filter = 0;
    for (int i = 0; i < static_cast<int>(std::size(kBits)); ++i)
        if (notifies.Contains(static_cast<TMyFolderNotify>(i)))
            filter |= kBits[i];
    return filter;
}

const TClassInfo& TMyFolderMonitor::StaticClassInfo() {
    static const TClassInfo info(
        "TMyFolderMonitor", &TComponent::StaticClassInfo(),
        {Published("Notifies", &TMyFolderMonitor::Notifies, &TMyFolderMonitor::SetNotifies,
                   kDefaultNotifies),
         Published("Recursive", &TMyFolderMonitor::Recursive, &TMyFolderMonitor::SetRecursive,
                   false),
         Published("Folder", &TMyFolderMonitor::Folder, &TMyFolderMonitor::SetFolder, {},
                   &TMyFolderMonitor::IsFolderStored),
         Published("Enabled", &TMyFolderMonitor::Enabled, &TMyFolderMonitor::SetEnabled, false)});
    return info;
}

TMyFolderMonitor::TMyFolderMonitor(TComponent* owner, UiDispatcher* dispatcher)
    : TComponent(owner), dispatcher_(dispatcher) {}

TMyFolderMonitor::~TMyFolderMonitor() {
    // The thread is joined before the window and the stop event go (the
    // watcher's deleter frees those).
    StopWatcher();
}

void TMyFolderMonitor::SetNotifies(TMyFolderNotifies value) {
    if (value == notifies_)
        return;
    notifies_ = value;
    Restart();
}

void TMyFolderMonitor::SetRecursive(bool value) {
    if (value == recursive_)
        return;
    recursive_ = value;
    Restart();
}

void TMyFolderMonitor::SetFolder(const std::string& value) {
    if (value == folder_)
        return;
    folder_ = value;
    Restart();
}

void TMyFolderMonitor::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    Restart();
}

void TMyFolderMonitor::Loaded() {
    TComponent::Loaded();
    Restart();
}

void TMyFolderMonitor::Restart() {
    if (ComponentState().Contains(csDesigning) || ComponentState().Contains(csLoading))
        return;
    StopWatcher();
    if (enabled_ && !folder_.empty())
        StartWatcher(FolderNotifyFilter(notifies_));
}

void TMyFolderMonitor::DeliverChange() noexcept {
    if (!OnFolderChange)
        return;
    try {
        OnFolderChange(*this);
    } catch (...) {
        // Reported, and the monitor goes on delivering later notifications.
        HandleException(std::current_exception());
    }
}

}  // namespace nimbra
