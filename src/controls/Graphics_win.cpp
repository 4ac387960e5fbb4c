#include "controls/Graphics_win.h"

#include "base/OsError.h"
#include "base/Unicode.h"

namespace nimbra {

HFONT TFontCache::Get(const TFont& font, int dpi) {
    const TKey key{font.Name(), font.Height(), font.Style().Bits(), font.Charset(), dpi};
    auto it = fonts_.find(key);
    if (it != fonts_.end())
        return it->second.Get();
    LOGFONTW lf{};
    lf.lfHeight = ScaleToDpi(font.Height(), dpi);
    lf.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Style().Contains(fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = font.Style().Contains(fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = font.Style().Contains(fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(font.Charset());
    lf.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring face = ToWide(font.Name());
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    TFontHandle handle(CreateFontIndirectW(&lf));
    if (!handle)
        RaiseLastOSError("CreateFontIndirectW");
    return fonts_.emplace(key, std::move(handle)).first->second.Get();
}

TSize TGdiTextMetrics::TextExtent(const TFont& font, int dpi, std::string_view text) const {
    const HDC dc = GetDC(nullptr);
    if (dc == nullptr)
        return {};
    SIZE size{};
    {
        const TSelectObject select(dc, fonts_.Get(font, dpi));
        const std::wstring wide = ToWide(text.empty() ? std::string_view("X") : text);
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    }
    ReleaseDC(nullptr, dc);
    return {text.empty() ? 0 : static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

COLORREF ColorToRgb(TColor color) {
    if ((color & kSystemColorFlag) != 0)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color);
}

}  // namespace nimbra
