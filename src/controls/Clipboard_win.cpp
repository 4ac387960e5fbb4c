#include "controls/Clipboard_win.h"

#include <cstring>
#include <string_view>

#include "base/Exception.h"
#include "base/OsError.h"
#include "base/Unicode.h"

namespace nimbra {

namespace {

// Another program may hold the clipboard for a moment.
constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenRetryDelay = 20;  // ms

// The clipboard open for the scope.
class TClipboardScope {
  public:
    explicit TClipboardScope(HWND owner) {
        for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_)
                Sleep(kOpenRetryDelay);
        }
    }
    TClipboardScope(const TClipboardScope&) = delete;
    TClipboardScope& operator=(const TClipboardScope&) = delete;
    ~TClipboardScope() {
        if (open_)
            CloseClipboard();
    }
    bool Open() const { return open_; }

  private:
    bool open_ = false;
};

// Places a copy of the bytes on the open clipboard; the clipboard owns the
// block once SetClipboardData took it.
void PutBlock(UINT format, const void* data, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr)
        throw Exception("Cannot copy to the clipboard: " + SysErrorMessage(GetLastError()));
    if (void* target = GlobalLock(block)) {
        std::memcpy(target, data, size);
        GlobalUnlock(block);
    }
    if (SetClipboardData(format, block) == nullptr) {
        const DWORD error = GetLastError();
        GlobalFree(block);
        throw Exception("Cannot copy to the clipboard: " + SysErrorMessage(error));
    }
}

std::optional<std::string> BlockBytes(UINT format) {
    HANDLE block = GetClipboardData(format);
    if (block == nullptr)
        return std::nullopt;
    const void* data = GlobalLock(block);
    if (data == nullptr)
        return std::nullopt;
    std::string bytes(static_cast<const char*>(data), GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

std::string AnsiText(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), size, nullptr, nullptr);
    return text;  // with its terminating zero
}

}  // namespace

UINT ClipboardFormat(const std::string& name) {
    return RegisterClipboardFormatW(ToWide(name).c_str());
}

bool ClipboardHasFormat(UINT format) {
    return format != 0 && IsClipboardFormatAvailable(format) != FALSE;
}

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE ||
           IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

void WriteClipboard(HWND owner, const std::string& text, UINT format, const std::string& data) {
    const TClipboardScope clipboard(owner);
    if (!clipboard.Open())
        throw Exception("Cannot open the clipboard: " + SysErrorMessage(GetLastError()));
    EmptyClipboard();
    const std::wstring wide = ToWide(text);
    const std::string ansi = AnsiText(wide);
    PutBlock(CF_TEXT, ansi.data(), ansi.size());
    PutBlock(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    if (format != 0)
        PutBlock(format, data.c_str(), data.size() + 1);
}

std::optional<std::string> ReadClipboardData(UINT format) {
    const TClipboardScope clipboard(nullptr);
    if (!clipboard.Open() || format == 0)
        return std::nullopt;
    std::optional<std::string> bytes = BlockBytes(format);
    if (bytes) {
        if (const std::size_t end = bytes->find('\0'); end != std::string::npos)
            bytes->resize(end);
    }
    return bytes;
}

std::optional<std::string> ReadClipboardText() {
    const TClipboardScope clipboard(nullptr);
    if (!clipboard.Open())
        return std::nullopt;
    if (std::optional<std::string> bytes = BlockBytes(CF_UNICODETEXT)) {
        std::wstring_view wide(reinterpret_cast<const wchar_t*>(bytes->data()),
                               bytes->size() / sizeof(wchar_t));
        wide = wide.substr(0, wide.find(L'\0'));
        return ToUtf8(wide);
    }
    if (std::optional<std::string> bytes = BlockBytes(CF_TEXT)) {
        std::string_view ansi(*bytes);
        return AnsiToUtf8(ansi.substr(0, ansi.find('\0')));
    }
    return std::nullopt;
}

}  // namespace nimbra
