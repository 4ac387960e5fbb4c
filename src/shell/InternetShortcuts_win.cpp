#include <windows.h>

#include <objbase.h>
// intshcut.h needs objbase.h's interface macros first.
#include <intshcut.h>
#include <propidl.h>
#include <shlguid.h>
#include <wrl/client.h>

#include "base/Handles_win.h"
#include "base/OsError.h"
#include "base/Unicode.h"
#include "shell/InternetShortcuts.h"

namespace nimbra {

namespace {

using Microsoft::WRL::ComPtr;

// Read access that lets others keep the file open for anything.
constexpr DWORD kReadShareDenyNone = STGM_READ | STGM_SHARE_DENY_NONE;

// The values ReadMultiple fills, cleared however the reading ends.
class TPropVariants {
  public:
    TPropVariants() {
        for (auto& value : values_)
            PropVariantInit(&value);
    }
    ~TPropVariants() {
        for (auto& value : values_)
            PropVariantClear(&value);
    }
    TPropVariants(const TPropVariants&) = delete;
    TPropVariants& operator=(const TPropVariants&) = delete;

    PROPVARIANT* Data() { return values_.data(); }
    const PROPVARIANT& operator[](std::size_t index) const { return values_[index]; }

  private:
    std::array<PROPVARIANT, kIntshcutPropertyCount> values_;
};

template <typename Interface>
void Query(IUnknown* object, REFIID iid, ComPtr<Interface>& result, const char* call) {
    OleCheck(object->QueryInterface(iid, reinterpret_cast<void**>(result.ReleaseAndGetAddressOf())),
             call);
}

std::string VariantText(const PROPVARIANT& value) {
    if (value.vt == VT_LPWSTR && value.pwszVal != nullptr)
        return ToUtf8(value.pwszVal);
    if (value.vt == VT_BSTR && value.bstrVal != nullptr)
        return ToUtf8(value.bstrVal);
    return {};
}

long VariantNumber(const PROPVARIANT& value) {
    switch (value.vt) {
        case VT_I2:
            return value.iVal;
        case VT_UI2:
            return value.uiVal;
        case VT_I4:
        case VT_INT:
            return value.lVal;
        case VT_UI4:
        case VT_UINT:
            return static_cast<long>(value.ulVal);
        default:
            return 0;
    }
}

}  // namespace

void TInternetLnk::LoadFromFile() {
    ComPtr<IUniformResourceLocatorW> locator;
    OleCheck(CoCreateInstance(CLSID_InternetShortcut, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IUniformResourceLocatorW,
                              reinterpret_cast<void**>(locator.GetAddressOf())),
             "CoCreateInstance(InternetShortcut)");
    ComPtr<IPersistFile> file;
    Query(locator.Get(), IID_IPersistFile, file, "IUniformResourceLocatorW::QueryInterface");
    OleCheck(file->Load(ToWide(fileName_).c_str(), kReadShareDenyNone), "IPersistFile::Load");

    TCoTaskMem<wchar_t> url;
    OleCheck(locator->GetURL(url.Put()), "IUniformResourceLocatorW::GetURL");
    data_.URL = url ? ToUtf8(url.Get()) : std::string();

    ComPtr<IPropertySetStorage> propertySets;
    Query(locator.Get(), IID_IPropertySetStorage, propertySets,
          "IUniformResourceLocatorW::QueryInterface");
    ComPtr<IPropertyStorage> properties;
    OleCheck(propertySets->Open(FMTID_Intshcut, STGM_READ, properties.GetAddressOf()),
             "IPropertySetStorage::Open");
    const auto& table = IntshcutProperties();
    std::array<PROPSPEC, kIntshcutPropertyCount> specs{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        specs[i].ulKind = PRSPEC_PROPID;
        specs[i].propid = table[i].Id;
    }
    TPropVariants values;
    OleCheck(properties->ReadMultiple(kIntshcutPropertyCount, specs.data(), values.Data()),
             "IPropertyStorage::ReadMultiple");
    for (std::size_t i = 0; i < table.size(); ++i) {
        // A property the storage does not hold (VT_EMPTY) leaves the field
        // as it is: the address from GetURL survives a storage without it,
        // and a missing show command stays "normal" instead of "hidden".
        if (values[i].vt == VT_EMPTY || values[i].vt == VT_ILLEGAL)
            continue;
        if (table[i].Text != nullptr)
            data_.*table[i].Text = VariantText(values[i]);
        else
            table[i].SetNumber(data_, VariantNumber(values[i]));
    }
}

}  // namespace nimbra
