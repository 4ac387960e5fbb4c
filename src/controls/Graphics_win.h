#pragma once

// Fonts and text measuring on Windows.
#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "base/Handles_win.h"
#include "controls/Controls.h"

namespace nimbra {

// One system font per font description and resolution, made on first use
// and kept for the run: windows on two monitors share what they can, and a
// change of resolution finds the other size ready.
class TFontCache {
  public:
    HFONT Get(const TFont& font, int dpi);
    void Clear() { fonts_.clear(); }

  private:
    using TKey = std::tuple<std::string, int, std::uint64_t, int, int>;
    std::map<TKey, TFontHandle> fonts_;
};

// Measures with the fonts of the cache on a screen device context.
class TGdiTextMetrics : public TTextMetrics {
  public:
    explicit TGdiTextMetrics(TFontCache& fonts) : fonts_(fonts) {}
    TSize TextExtent(const TFont& font, int dpi, std::string_view text) const override;

  private:
    TFontCache& fonts_;
};

// The system colour of a colour value (system colours follow the theme).
COLORREF ColorToRgb(TColor color);

}  // namespace nimbra
