#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/Classes.h"
#include "base/Exception.h"
#include "base/Set.h"
#include "base/TypInfo.h"

namespace nimbra {

class UiDispatcher;

// What counts as a change, each with the platform's change-notification
// filter bit.
enum TMyFolderNotify {
    fnFileNameChange,   // 0x001: file created, deleted or renamed
    fnDirNameChange,    // 0x002: folder created, deleted or renamed
    fnAttributeChange,  // 0x004
    fnSizeChange,       // 0x008
    fnLastWriteChange,  // 0x010
    fnSecurityChange    // 0x100
};
const TTypeInfo& EnumTypeInfo(TMyFolderNotify);
using TMyFolderNotifies = Set<TMyFolderNotify>;

// The OR of the filter bits of every member.
std::uint32_t FolderNotifyFilter(TMyFolderNotifies notifies);

class EMyFolderMonitorError : public Exception {
  public:
    using Exception::Exception;
};

class TMyFolderMonitor;
using TMyFolderChangeEvent = std::function<void(TMyFolderMonitor& sender)>;

// Watches one folder (optionally with its whole subtree) and raises
// OnFolderChange on the interface thread once per change notification of the
// platform. It says that something changed, not what.
//
// On Windows a watcher thread posts to the monitor's own hidden window, so no
// dispatcher is needed there. Elsewhere the watcher reaches the interface
// thread through `dispatcher`, which must outlive the monitor; starting
// without one raises EMyFolderMonitorError.
//
// Interface thread only, like every component.
class TMyFolderMonitor : public TComponent {
  public:
    explicit TMyFolderMonitor(TComponent* owner, UiDispatcher* dispatcher = nullptr);
    ~TMyFolderMonitor() override;

    static constexpr TMyFolderNotifies kDefaultNotifies{fnFileNameChange, fnDirNameChange,
                                                        fnAttributeChange, fnSizeChange};

    // Setting a value different from the current one restarts the monitor;
    // an equal value does nothing.
    TMyFolderNotifies Notifies() const { return notifies_; }
    void SetNotifies(TMyFolderNotifies value);
    bool Recursive() const { return recursive_; }
    void SetRecursive(bool value);
    const std::string& Folder() const { return folder_; }
    void SetFolder(const std::string& value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    TMyFolderChangeEvent OnFolderChange;

    // True from a start until the next stop, even when the watcher has ended
    // on its own because the folder could not be watched.
    bool Running() const;

    void Loaded() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    struct TWatcher;  // the platform's watching machinery
    struct TWatcherDeleter {
        void operator()(TWatcher* watcher) const noexcept;
    };

    bool IsFolderStored() const { return !folder_.empty(); }
    void Restart();
    // Platform half: start a watcher thread (raises), stop and join it.
    void StartWatcher(std::uint32_t filter);
    void StopWatcher() noexcept;
    // Interface thread: one notification arrived.
    void DeliverChange() noexcept;

    TMyFolderNotifies notifies_ = kDefaultNotifies;
    bool recursive_ = false;
    std::string folder_;
    bool enabled_ = false;
    UiDispatcher* dispatcher_;
    std::unique_ptr<TWatcher, TWatcherDeleter> watcher_;
};

}  // namespace nimbra
