#include "utils/AppIniForm_win.h"

#include <windows.h>

#include <vector>

#include "base/Handles_win.h"
#include "base/Locale.h"
#include "base/StringList.h"
#include "base/Unicode.h"
#include "controls/Controls_win.h"
#include "utils/ConfigUtils.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

namespace {

// The program's default font component while one is registered.
TAppIniFormFont* globalFont = nullptr;

TRect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

std::vector<TMonitorRects> Monitors() {
    std::vector<TMonitorRects> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            MONITORINFO info{sizeof info};
            if (GetMonitorInfoW(monitor, &info))
                reinterpret_cast<std::vector<TMonitorRects>*>(data)->push_back(
                    {ToRect(info.rcMonitor), ToRect(info.rcWork)});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

TMonitorRects MonitorOf(HWND hwnd) {
    MONITORINFO info{sizeof info};
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info);
    return {ToRect(info.rcMonitor), ToRect(info.rcWork)};
}

TRect WindowBounds(HWND hwnd) {
    // A minimized or maximized window keeps its normal place here; its
    // current rectangle (far off the screen when minimized) is no place
    // to come back to.
    WINDOWPLACEMENT placement{sizeof placement};
    if (!IsIconic(hwnd) && !IsZoomed(hwnd)) {
        RECT rc{};
        GetWindowRect(hwnd, &rc);
        return ToRect(rc);
    }
    GetWindowPlacement(hwnd, &placement);
    return ToRect(placement.rcNormalPosition);
}

}  // namespace

// ---- TAppIniFormPos -------------------------------------------------------------------

TAppIniFormPos::TAppIniFormPos(TComponent* owner) : TComponent(owner) {}

void TAppIniFormPos::SavePosition(TCustomForm& form) {
    const TWinPeer* peer = PeerOf(form);
    if (!storePosition_ || peer == nullptr)
        return;
    SaveBounds(AppIni(), section_, form.Name(), WindowBounds(peer->Handle()), storeSize_);
}

void TAppIniFormPos::RestorePosition(TCustomForm& form) {
    const TWinPeer* peer = PeerOf(form);
    if (!storePosition_ || peer == nullptr)
        return;
    if (OnBeforeRestore)
        OnBeforeRestore(*this);
    const HWND hwnd = peer->Handle();
    TRect bounds = WindowBounds(hwnd);
    if (centerForm_) {
        const HWND active = GetActiveWindow();
        bounds = CenteredBounds(bounds, MonitorOf(active != nullptr ? active : hwnd), initSize_);
    }
    bounds = ReadBounds(AppIni(), section_, form.Name(), bounds, storeSize_);
    if (validatePosition_) {
        const std::vector<TMonitorRects> monitors = Monitors();
        const int nearest = NearestMonitor(bounds, monitors);
        if (nearest >= 0) {
            const int dpi = WindowDpi(hwnd);
            bounds = FitIntoWorkArea(bounds, monitors[static_cast<std::size_t>(nearest)].WorkArea,
                                     GetSystemMetricsForDpi(SM_CXFRAME, static_cast<UINT>(dpi)),
                                     GetSystemMetricsForDpi(SM_CYFRAME, static_cast<UINT>(dpi)));
        }
    }
    SetWindowPos(hwnd, nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

const TClassInfo& TAppIniFormPos::StaticClassInfo() {
    using T = TAppIniFormPos;
    static const TClassInfo info(
        "TAppIniFormPos", &TComponent::StaticClassInfo(),
        {Published("CenterForm", &T::CenterForm, &T::SetCenterForm, true),
         Published("InitSize", &T::InitSize, &T::SetInitSize, 0),
         Published("Section", &T::Section, &T::SetSection),
         Published("StorePosition", &T::StorePosition, &T::SetStorePosition, true),
         Published("StoreSize", &T::StoreSize, &T::SetStoreSize, true),
         Published("ValidatePosition", &T::ValidatePosition, &T::SetValidatePosition, true)});
    return info;
}

// ---- TAppIniFormFont --------------------------------------------------------------------

std::string FirstInstalledFont(const std::string& fontList) {
    TStringList names;
    names.SetCommaText(fontList);
    const HDC dc = GetDC(nullptr);
    if (dc == nullptr)
        return {};
    std::string chosen;
    for (int i = 0; i < names.Count() && chosen.empty(); ++i) {
        LOGFONTW lf{};
        lf.lfHeight = -11;
        lf.lfCharSet = DEFAULT_CHARSET;
        const std::wstring face = ToWide(names.Strings(i));
        lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        const TFontHandle font(CreateFontIndirectW(&lf));
        const TSelectObject select(dc, font.Get());
        wchar_t obtained[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, obtained);
        if (AnsiSameText(ToUtf8(obtained), names.Strings(i)))
            chosen = names.Strings(i);
    }
    ReleaseDC(nullptr, dc);
    return chosen;
}

TAppIniFormFont::TAppIniFormFont(TComponent* owner) : TComponent(owner) {}

TAppIniFormFont::~TAppIniFormFont() {
    if (globalFont == this)
        globalFont = nullptr;
}

std::string TAppIniFormFont::FontList() const {
    if (fontList_.empty() && !global_ && globalFont != nullptr && globalFont != this)
        return globalFont->FontList();
    return fontList_;
}

void TAppIniFormFont::SetGlobal(bool global) {
    global_ = global;
    if (global_ && globalFont == nullptr)
        globalFont = this;
    else if (!global_ && globalFont == this)
        globalFont = nullptr;
}

void TAppIniFormFont::ApplyFont(TCustomForm& form) {
    const std::string face = FirstInstalledFont(FontList());
    if (face.empty())
        return;
    if (!forceUpdate_ && AnsiSameText(form.Font()->Name(), face))
        return;
    form.Font()->SetName(face);
}

void TAppIniFormFont::FormWindowCreated(TCustomForm& form) {
    if (active_)
        ApplyFont(form);
}

const TClassInfo& TAppIniFormFont::StaticClassInfo() {
    using T = TAppIniFormFont;
    static const TClassInfo info(
        "TAppIniFormFont", &TComponent::StaticClassInfo(),
        {Published("Active", &T::Active, &T::SetActive, true),
         Published("FontList", &T::FontList, &T::SetFontList),
         Published("ForceUpdate", &T::ForceUpdate, &T::SetForceUpdate, false),
         Published("Global", &T::Global, &T::SetGlobal, false)});
    return info;
}

}  // namespace nimbra
