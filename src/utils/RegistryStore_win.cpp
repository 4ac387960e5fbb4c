#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

#include "base/Handles_win.h"
#include "base/OsError.h"
#include "base/Unicode.h"
#include "utils/RegistryStore.h"

namespace nimbra {

namespace {

std::wstring WidePath(std::string_view path) {
    std::string joined;
    for (std::string_view name : SplitKeyPath(path)) {
        if (!joined.empty())
            joined += '\\';
        joined += name;
    }
    return ToWide(joined);
}

bool IsMissing(LSTATUS status) {
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

void Check(LSTATUS status, const char* call) {
    if (status != ERROR_SUCCESS)
        RaiseOSError(call, static_cast<unsigned long>(status));
}

TRegValue DecodeValue(DWORD type, const std::vector<BYTE>& data, DWORD size) {
    TRegValue value;
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            // The stored text may or may not end in NULs; it ends at the first.
            std::wstring text(size / sizeof(wchar_t), L'\0');
            std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
            text.resize(std::wcslen(text.c_str()));
            value.Type = type == REG_SZ ? TRegDataType::rdString : TRegDataType::rdExpandString;
            value.Text = ToUtf8(text);
            break;
        }
        case REG_DWORD:
            if (size >= sizeof(DWORD)) {
                value.Type = TRegDataType::rdInteger;
                std::memcpy(&value.Integer, data.data(), sizeof(DWORD));
            }
            break;
        case REG_BINARY:
            value.Type = TRegDataType::rdBinary;
            break;
        default:
            break;
    }
    return value;
}

class TWinRegistryStore : public TRegistryStore {
  public:
    // A read-only store refuses every change itself: a handle opened for
    // reading is not enough, as Wine still creates and deletes sub-keys
    // through it.
    TWinRegistryStore(TRegKey base, bool readOnly) : base_(std::move(base)), readOnly_(readOnly) {}

    bool KeyExists(std::string_view path) override {
        return static_cast<bool>(Open(path, KEY_QUERY_VALUE));
    }

    std::optional<TRegValue> ReadValue(std::string_view path, std::string_view name) override {
        const TRegKey key = Open(path, KEY_QUERY_VALUE);
        if (!key)
            return std::nullopt;
        const std::wstring wideName = ToWide(name);
        std::vector<BYTE> data(256);
        for (;;) {
            DWORD type = 0;
            auto size = static_cast<DWORD>(data.size());
            const LSTATUS status =
                RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, data.data(), &size);
            if (IsMissing(status))
                return std::nullopt;
            if (status == ERROR_MORE_DATA) {
                data.resize(size + sizeof(wchar_t));
                continue;
            }
            Check(status, "RegQueryValueEx");
            return DecodeValue(type, data, size);
        }
    }

    void WriteString(std::string_view path, std::string_view name,
                     std::string_view value) override {
        CheckWritable();
        const std::wstring text = ToWide(value.substr(0, value.find('\0')));
        const TRegKey key = Create(path);
        Check(RegSetValueExW(key.Get(), ToWide(name).c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              "RegSetValueEx");
    }

    void WriteInteger(std::string_view path, std::string_view name, std::uint32_t value) override {
        CheckWritable();
        const TRegKey key = Create(path);
        const DWORD data = value;
        Check(RegSetValueExW(key.Get(), ToWide(name).c_str(), 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&data), sizeof data),
              "RegSetValueEx");
    }

    void DeleteValue(std::string_view path, std::string_view name) override {
        CheckWritable();
        const TRegKey key = Open(path, KEY_SET_VALUE);
        if (!key)
            return;
        const LSTATUS status = RegDeleteValueW(key.Get(), ToWide(name).c_str());
        if (!IsMissing(status))
            Check(status, "RegDeleteValue");
    }

    void DeleteKey(std::string_view path) override {
        CheckWritable();
        const std::wstring subKey = WidePath(path);
        const LSTATUS status =
            RegDeleteTreeW(base_.Get(), subKey.empty() ? nullptr : subKey.c_str());
        if (!IsMissing(status))
            Check(status, "RegDeleteTree");
    }

    std::vector<std::string> ValueNames(std::string_view path) override {
        return Enumerate(path, KEY_QUERY_VALUE, "RegEnumValue",
                         [](HKEY key, DWORD index, wchar_t* name, DWORD* length) {
                             return RegEnumValueW(key, index, name, length, nullptr, nullptr,
                                                  nullptr, nullptr);
                         });
    }

    std::vector<std::string> SubKeyNames(std::string_view path) override {
        return Enumerate(path, KEY_ENUMERATE_SUB_KEYS, "RegEnumKeyEx",
                         [](HKEY key, DWORD index, wchar_t* name, DWORD* length) {
                             return RegEnumKeyExW(key, index, name, length, nullptr, nullptr,
                                                  nullptr, nullptr);
                         });
    }

  private:
    void CheckWritable() const {
        if (readOnly_)
            RaiseOSError("RegCreateKeyEx", ERROR_ACCESS_DENIED);
    }

    // The key below the base, or an empty key when it does not exist.
    TRegKey Open(std::string_view path, REGSAM access) const {
        HKEY key = nullptr;
        const LSTATUS status = RegOpenKeyExW(base_.Get(), WidePath(path).c_str(), 0, access, &key);
        if (IsMissing(status))
            return TRegKey();
        Check(status, "RegOpenKeyEx");
        return TRegKey(key);
    }

    TRegKey Create(std::string_view path) const {
        HKEY key = nullptr;
        Check(RegCreateKeyExW(base_.Get(), WidePath(path).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              "RegCreateKeyEx");
        return TRegKey(key);
    }

    // Names handed out one by one by `next` (an enumeration call), growing
    // the buffer when a name does not fit.
    template <class Next>
    std::vector<std::string> Enumerate(std::string_view path, REGSAM access, const char* call,
                                       Next next) const {
        std::vector<std::string> names;
        const TRegKey key = Open(path, access);
        if (!key)
            return names;
        std::vector<wchar_t> buffer(256);
        for (DWORD index = 0;;) {
            auto length = static_cast<DWORD>(buffer.size());
            const LSTATUS status = next(key.Get(), index, buffer.data(), &length);
            if (status == ERROR_NO_MORE_ITEMS)
                break;
            if (status == ERROR_MORE_DATA) {
                buffer.resize(buffer.size() * 2);
                if (buffer.size() > 65536)
                    Check(status, call);
                continue;
            }
            Check(status, call);
            names.push_back(ToUtf8(std::wstring_view(buffer.data(), length)));
            ++index;
        }
        return names;
    }

    TRegKey base_;
    bool readOnly_;
};

}  // namespace

std::unique_ptr<TRegistryStore> OpenRegistryStore(std::string_view keyPath,
                                                  std::uintptr_t rootKey) {
    HKEY root = rootKey != 0 ? reinterpret_cast<HKEY>(rootKey) : HKEY_CURRENT_USER;
    const std::wstring path = WidePath(keyPath);
    HKEY key = nullptr;
    LSTATUS status =
        RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    // A key the user may read but not change (locked down by an
    // administrator): its settings are still read, and every write fails
    // on its own, so nothing stored is lost or hidden behind defaults.
    const bool readOnly = status == ERROR_ACCESS_DENIED;
    if (readOnly)
        status = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key);
    Check(status, "RegOpenKeyEx");
    return std::make_unique<TWinRegistryStore>(TRegKey(key), readOnly);
}

}  // namespace nimbra
