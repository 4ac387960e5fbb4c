#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/Classes.h"
#include "base/Set.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TSize&) const = default;
};

// Design sizes are given at 96 dots per inch; a window on a monitor with
// another resolution scales them: value × dpi ÷ 96, rounded half away from
// zero.
inline constexpr int kDesignDpi = 96;
int ScaleToDpi(int value, int dpi);
TRect ScaleToDpi(const TRect& rect, int dpi);
// The design size of a size in device pixels at `dpi`.
int ScaleFromDpi(int value, int dpi);

// Colours: a plain RGB value (0x00BBGGRR), or one of the system's colours,
// which follow the user's theme.
using TColor = std::uint32_t;
inline constexpr TColor kSystemColorFlag = 0x80000000u;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clGrayText = kSystemColorFlag | 17;
inline constexpr TColor clBtnText = kSystemColorFlag | 18;
inline constexpr TColor clDefault = 0x20000000u;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Set<TFontStyle>;
const TTypeInfo& EnumTypeInfo(TFontStyle);

// The character set a font asks for; 1 lets the system choose from the
// user's locale.
inline constexpr int kDefaultCharset = 1;

// A font as a description: face name, height in design pixels (negative: the
// character height without internal leading, the usual form), styles and
// character set. Windows turn it into a real font for their resolution.
class TFont : public TPersistent {
  public:
    TFont() = default;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    // The size in points, from the height at 96 dpi (72 points an inch).
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    int Charset() const { return charset_; }
    void SetCharset(int charset);

    void Assign(const TPersistent& source) override;
    bool operator==(const TFont& other) const;

    // Raised after any change.
    std::function<void(TFont& sender)> OnChange;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void Changed();

    std::string name_ = "Tahoma";
    int height_ = -11;
    TFontStyles style_;
    int charset_ = kDefaultCharset;
};

}  // namespace nimbra
