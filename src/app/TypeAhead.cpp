#include "app/TypeAhead.h"

#include <vector>

namespace nimbra {

namespace {

constexpr UINT kSetHotKeyMessage = WM_APP + 1;
constexpr UINT kReleaseMessage = WM_APP + 2;
constexpr UINT kArmMessage = WM_APP + 3;
// Marks the keys the program sends again, which its hook lets through.
constexpr ULONG_PTR kResentMark = 0x4E494D42;  // "NIMB"
constexpr UINT kExpiryCheckMs = 100;

// A low-level hook procedure gets no pointer of its own: the one hook
// thread of the process is found here.
std::atomic<TTypeAhead*> hookOwner{nullptr};

}  // namespace

TTypeAhead::TTypeAhead() {
    std::atomic<bool> started{false};
    thread_ = std::thread([this, &started] { Run(started); });
    while (!started.load())
        std::this_thread::yield();
}

TTypeAhead::~TTypeAhead() {
    PostThreadMessageW(threadId_.load(), WM_QUIT, 0, 0);
    thread_.join();
}

void TTypeAhead::SetHotKey(TShortCut shortCut) {
    PostThreadMessageW(threadId_.load(), kSetHotKeyMessage, shortCut, 0);
}

void TTypeAhead::Release() {
    PostThreadMessageW(threadId_.load(), kReleaseMessage, 0, 0);
}

void TTypeAhead::SetArmed(bool armed) {
    PostThreadMessageW(threadId_.load(), kArmMessage, armed ? 1 : 0, 0);
}

void TTypeAhead::UpdateHook() {
    // Held keys are sent before the hook goes, never dropped with it.
    const bool wanted = owner_ && (armed_ || hold_.Holding());
    if (wanted && hook_ == nullptr)
        hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, &HookProc, GetModuleHandleW(nullptr), 0);
    else if (!wanted && hook_ != nullptr && UnhookWindowsHookEx(hook_))
        hook_ = nullptr;
}

void TTypeAhead::Run(std::atomic<bool>& started) {
    MSG msg;
    // The thread's queue exists before anyone posts to it.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    threadId_ = GetCurrentThreadId();
    TTypeAhead* none = nullptr;
    owner_ = hookOwner.compare_exchange_strong(none, this);
    UpdateHook();
    const UINT_PTR timer = SetTimer(nullptr, 0, kExpiryCheckMs, nullptr);
    started = true;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        switch (msg.message) {
            case kSetHotKeyMessage:
                hold_.SetHotKey(static_cast<TShortCut>(msg.wParam));
                break;
            case kReleaseMessage:
                SendHeld();
                UpdateHook();
                break;
            case kArmMessage:
                armed_ = msg.wParam != 0;
                UpdateHook();
                break;
            case WM_TIMER:
                if (hold_.Expired(GetTickCount64())) {
                    SendHeld();
                    UpdateHook();
                }
                break;
            default:
                DispatchMessageW(&msg);
                break;
        }
    }
    KillTimer(nullptr, timer);
    SendHeld();
    armed_ = false;
    UpdateHook();
    if (owner_)
        hookOwner = nullptr;
}

LRESULT CALLBACK TTypeAhead::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    TTypeAhead* owner = hookOwner.load();
    if (code == HC_ACTION && owner != nullptr &&
        !owner->Hook(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam),
                     wParam == WM_KEYUP || wParam == WM_SYSKEYUP))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TTypeAhead::Hook(const KBDLLHOOKSTRUCT& key, bool up) {
    if (key.dwExtraInfo == kResentMark)
        return true;
    const TKeyEvent event{static_cast<std::uint16_t>(key.vkCode),
                          static_cast<std::uint16_t>(key.scanCode), up, key.flags};
    const bool pass = hold_.Pass(event, GetTickCount64());
    if (!pass && hold_.Expired(GetTickCount64()))
        PostThreadMessageW(threadId_.load(), kReleaseMessage, 0, 0);
    return pass;
}

void TTypeAhead::SendHeld() {
    const std::vector<TKeyEvent> held = hold_.Release();
    std::vector<INPUT> inputs;
    for (const TKeyEvent& event : held) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.dwExtraInfo = kResentMark;
        input.ki.wScan = event.ScanCode;
        if (event.Key == VK_PACKET) {
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        } else {
            input.ki.wVk = event.Key;
            if ((event.Flags & LLKHF_EXTENDED) != 0)
                input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        }
        if (event.Up)
            input.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    if (!inputs.empty())
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace nimbra
