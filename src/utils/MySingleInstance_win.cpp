#include "utils/MySingleInstance_win.h"

#include <algorithm>

#include "base/Handles_win.h"
#include "base/Unicode.h"

namespace nimbra {

namespace {

// A second copy never waits forever for a first one that stopped answering:
// it gives up when the first copy hangs, or after this long at most.
constexpr UINT kHandOverTimeoutMs = 60000;

// The unit's state, kept for the whole process: the identifier the instance
// check stored, the mutex it holds, and the window that carries the mark.
struct TInstanceState {
    std::string identifier;
    std::wstring mutexName;
    TKernelHandle mutex;
    HWND markedWindow = nullptr;
    std::wstring markedProperty;
};

TInstanceState& State() {
    static TInstanceState state;
    return state;
}

const std::string& RequireIdentifier() {
    const std::string& identifier = State().identifier;
    if (identifier.empty())
        throw EAssertionFailed(
            "No instance identifier: CheckPrevInstance must run first (MySingleInstance)");
    return identifier;
}

std::wstring PropertyName() {
    return ToWide(InstanceWindowPropertyName(RequireIdentifier()));
}

struct TMarkedSearch {
    const wchar_t* property;
    HWND found;
};

BOOL CALLBACK FindMarkedWindow(HWND hwnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<TMarkedSearch*>(lParam);
    if (GetPropW(hwnd, search.property) == nullptr)
        return TRUE;
    search.found = hwnd;
    return FALSE;
}

// The running copy's receiver window, or nullptr.
HWND FindReceiver() {
    const std::wstring property = PropertyName();
    TMarkedSearch search{property.c_str(), nullptr};
    EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Hands this process's command line to the receiver; returns when it has
// been handled, or after `timeoutMs` at most.
void SendHandOver(HWND receiver, UINT timeoutMs) {
    std::string payload = EncodeHandOver(RequireIdentifier(), ToUtf8(GetCommandLineW()));
    COPYDATASTRUCT data{0, static_cast<DWORD>(payload.size()), payload.data()};
    DWORD_PTR result = 0;
    // The user started this copy, so it may bring a window to the front:
    // the first copy gets that right for the window it shows now.
    DWORD firstCopy = 0;
    GetWindowThreadProcessId(receiver, &firstCopy);
    AllowSetForegroundWindow(firstCopy);
    SendMessageTimeoutW(receiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                        timeoutMs, &result);
}

// Whether another process holds the instance mutex (this one must have
// closed its own handle).
bool InstanceMutexExists(const std::wstring& name) {
    const TKernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
    return mutex || GetLastError() == ERROR_ACCESS_DENIED;
}

struct TApplicationWindows {
    HWND shown = nullptr;
    HWND minimized = nullptr;
};

// Tips and balloons are visible windows of the program too, but nothing to
// bring to the front.
BOOL CALLBACK FindApplicationWindow(HWND hwnd, LPARAM lParam) {
    auto& windows = *reinterpret_cast<TApplicationWindows*>(lParam);
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    if (!IsWindowVisible(hwnd) || (exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) != 0)
        return TRUE;
    if (IsIconic(hwnd)) {
        if (windows.minimized == nullptr)
            windows.minimized = hwnd;
        return TRUE;
    }
    windows.shown = hwnd;
    return FALSE;
}

// The default activation on a hand-over: a visible window of the program
// comes to the foreground (or the dialog it last opened); otherwise a
// minimized one is restored first.
void ActivateApplication() {
    TApplicationWindows windows;
    EnumThreadWindows(GetCurrentThreadId(), &FindApplicationWindow,
                      reinterpret_cast<LPARAM>(&windows));
    HWND window = windows.shown;
    if (window == nullptr && windows.minimized != nullptr) {
        window = windows.minimized;
        ShowWindow(window, SW_RESTORE);
    }
    if (window != nullptr)
        SetForegroundWindow(GetLastActivePopup(window));
}

}  // namespace

bool CheckPrevInstance(std::string_view identifier, bool localOnly) {
    TInstanceState& state = State();
    state.identifier = identifier;
    state.mutexName = ToWide(InstanceMutexName(identifier, localOnly));
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, state.mutexName.c_str());
    const DWORD error = GetLastError();
    state.mutex.Reset(mutex);
    return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
}

const std::string& InstanceIdentifier() {
    return State().identifier;
}

void ActivatePrevInstance() {
    if (const HWND receiver = FindReceiver())
        SendHandOver(receiver, kHandOverTimeoutMs);
}

bool EndPrevInstance(DWORD timeoutMs) {
    RequireIdentifier();
    const std::wstring mutexName = State().mutexName;
    CloseInstanceMutex();
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    const auto remaining = [deadline] {
        const ULONGLONG now = GetTickCount64();
        return static_cast<DWORD>(now < deadline ? deadline - now : 0);
    };
    bool handedOver = false;
    for (;;) {
        if (!InstanceMutexExists(mutexName))
            return true;
        // A copy that is still starting has no receiver yet; the hand-over
        // goes once, to the first receiver that shows.
        const HWND receiver = handedOver ? nullptr : FindReceiver();
        if (receiver != nullptr) {
            DWORD processId = 0;
            GetWindowThreadProcessId(receiver, &processId);
            // Opened before the hand-over, so the process cannot end and its
            // number be given to another one in between.
            const TKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
            SendHandOver(receiver, std::max<DWORD>(remaining(), 1));
            handedOver = true;
            // Its end, not its mutex, is what unlocks its files.
            if (process)
                return WaitForSingleObject(process.Get(), remaining()) == WAIT_OBJECT_0;
        }
        if (remaining() == 0)
            return false;
        Sleep(50);
    }
}

void CloseInstanceMutex() {
    State().mutex.Reset();
}

void SetInstanceWindow(HWND window) {
    TInstanceState& state = State();
    std::wstring property = PropertyName();
    if (state.markedWindow != nullptr && state.markedWindow != window)
        RemovePropW(state.markedWindow, state.markedProperty.c_str());
    SetPropW(window, property.c_str(), reinterpret_cast<HANDLE>(1));
    state.markedWindow = window;
    state.markedProperty = std::move(property);
}

void RemoveInstanceWindow(HWND window) {
    TInstanceState& state = State();
    if (window == nullptr || window != state.markedWindow)
        return;
    RemovePropW(window, state.markedProperty.c_str());
    state.markedWindow = nullptr;
    state.markedProperty.clear();
}

// ---- TMySingleInstance ------------------------------------------------------------

const TClassInfo& TMySingleInstance::StaticClassInfo() {
    using T = TMySingleInstance;
    static const TClassInfo info(
        typeid(TMySingleInstance), "TMySingleInstance", &TComponent::StaticClassInfo(),
        {Published("NoAutoActivate", &T::NoAutoActivate, &T::SetNoAutoActivate, false)});
    return info;
}

TMySingleInstance::TMySingleInstance(TComponent* owner) : TComponent(owner) {
    if (owner != nullptr && owner->ComponentState().Contains(csDesigning))
        return;
    RequireIdentifier();
    window_ = std::make_unique<TMessageWindow>(
        [this](UINT message, WPARAM wParam, LPARAM lParam) {
            return HandleMessage(message, wParam, lParam);
        },
        mwTopLevel);
    SetInstanceWindow(window_->Handle());
}

TMySingleInstance::~TMySingleInstance() {
    if (window_) {
        RemoveInstanceWindow(window_->Handle());
        window_.reset();
    }
}

std::optional<LRESULT> TMySingleInstance::HandleMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_COPYDATA)
        return std::nullopt;
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const std::optional<std::string> commandLine =
        data != nullptr ? DecodeHandOver(InstanceIdentifier(), data->lpData, data->cbData)
                        : std::nullopt;
    // Data that is not a hand-over is ignored, and not passed on either.
    if (!commandLine)
        return FALSE;
    InstanceLaunched(*commandLine);
    return TRUE;
}

void TMySingleInstance::InstanceLaunched(const std::string& commandLine) {
    if (!noAutoActivate_)
        ActivateApplication();
    if (OnInstanceLaunch)
        OnInstanceLaunch(*this, commandLine);
}

}  // namespace nimbra
