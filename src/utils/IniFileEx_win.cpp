#include <windows.h>

#include <vector>

#include "base/OsError.h"
#include "base/Unicode.h"
#include "utils/IniFileEx.h"

namespace nimbra {

namespace {

// Values of up to 65,535 characters come back whole.
constexpr DWORD kValueBufferSize = 65536;

// A NUL-separated list as the private-profile functions hand it out;
// `fetch` fills the buffer and returns the characters copied, which is the
// size less two when the list did not fit.
template <class Fetch>
std::vector<std::string> FetchList(Fetch fetch) {
    std::vector<wchar_t> buffer(4096);
    DWORD copied = 0;
    for (;;) {
        copied = fetch(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (copied + 2 < buffer.size() || buffer.size() >= (1u << 24))
            break;
        buffer.resize(buffer.size() * 4);
    }
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i < copied; ++i) {
        if (buffer[i] == L'\0') {
            if (i > start)
                names.push_back(ToUtf8(std::wstring_view(buffer.data() + start, i - start)));
            start = i + 1;
        }
    }
    if (copied > start)
        names.push_back(ToUtf8(std::wstring_view(buffer.data() + start, copied - start)));
    return names;
}

void Write(const wchar_t* section, const wchar_t* ident, const wchar_t* value,
           const std::string& fileName) {
    if (!WritePrivateProfileStringW(section, ident, value, ToWide(fileName).c_str()))
        RaiseLastOSError("WritePrivateProfileString");
}

}  // namespace

std::string TIniFileEx::ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue) {
    std::vector<wchar_t> buffer(kValueBufferSize);
    const DWORD copied = GetPrivateProfileStringW(ToWide(section).c_str(), ToWide(ident).c_str(),
                                                  ToWide(defaultValue).c_str(), buffer.data(),
                                                  kValueBufferSize, ToWide(FileName()).c_str());
    return ToUtf8(std::wstring_view(buffer.data(), copied));
}

void TIniFileEx::WriteString(const std::string& section, const std::string& ident,
                             const std::string& value) {
    Write(ToWide(section).c_str(), ToWide(ident).c_str(), ToWide(value).c_str(), FileName());
}

void TIniFileEx::ReadSection(const std::string& section, TStrings& strings) {
    const std::wstring wideSection = ToWide(section);
    const std::wstring file = ToWide(FileName());
    FillStrings(strings, FetchList([&](wchar_t* buffer, DWORD size) {
                    return GetPrivateProfileStringW(wideSection.c_str(), nullptr, L"", buffer, size,
                                                    file.c_str());
                }));
}

void TIniFileEx::ReadSections(TStrings& strings) {
    const std::wstring file = ToWide(FileName());
    FillStrings(strings, FetchList([&](wchar_t* buffer, DWORD size) {
                    return GetPrivateProfileSectionNamesW(buffer, size, file.c_str());
                }));
}

void TIniFileEx::ReadSectionValues(const std::string& section, TStrings& strings) {
    TStringList keys;
    ReadSection(section, keys);
    std::vector<std::string> lines;
    for (int i = 0; i < keys.Count(); ++i)
        lines.push_back(keys.Strings(i) + "=" + ReadString(section, keys.Strings(i), ""));
    FillStrings(strings, lines);
}

void TIniFileEx::EraseSection(const std::string& section) {
    Write(ToWide(section).c_str(), nullptr, nullptr, FileName());
}

void TIniFileEx::DeleteKey(const std::string& section, const std::string& ident) {
    Write(ToWide(section).c_str(), ToWide(ident).c_str(), nullptr, FileName());
}

void TIniFileEx::UpdateFile() {
    // Flushes the system's cache of the file.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, ToWide(FileName()).c_str());
}

}  // namespace nimbra
