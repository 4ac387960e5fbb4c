#include "controls/Graphics.h"

#include <cstdint>
#include <limits>

namespace nimbra {

namespace {

// a × b ÷ c in 64 bits, rounded half away from zero, held to int.
int MulDivRounded(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    const std::int64_t result = product >= 0 ? (product + half) / c : (product - half) / c;
    if (result > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (result < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(result);
}

}  // namespace

int ScaleToDpi(int value, int dpi) {
    return dpi == kDesignDpi ? value : MulDivRounded(value, dpi, kDesignDpi);
}

int ScaleFromDpi(int value, int dpi) {
    return dpi == kDesignDpi || dpi <= 0 ? value : MulDivRounded(value, kDesignDpi, dpi);
}

TRect ScaleToDpi(const TRect& rect, int dpi) {
    return {ScaleToDpi(rect.Left, dpi), ScaleToDpi(rect.Top, dpi), ScaleToDpi(rect.Right, dpi),
            ScaleToDpi(rect.Bottom, dpi)};
}

const TTypeInfo& EnumTypeInfo(TFontStyle) {
    static const TTypeInfo info =
        MakeEnumTypeInfo("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    return info;
}

void TFont::SetName(const std::string& name) {
    if (name_ == name)
        return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height_ == height)
        return;
    height_ = height;
    Changed();
}

int TFont::Size() const {
    return -MulDivRounded(height_, 72, kDesignDpi);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDivRounded(points, kDesignDpi, 72));
}

void TFont::SetStyle(TFontStyles style) {
    if (style_ == style)
        return;
    style_ = style;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset_ == charset)
        return;
    charset_ = charset;
    Changed();
}

void TFont::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TFont*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (*this == *other)
        return;
    name_ = other->name_;
    height_ = other->height_;
    style_ = other->style_;
    charset_ = other->charset_;
    Changed();
}

bool TFont::operator==(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
           charset_ == other.charset_;
}

void TFont::Changed() {
    if (OnChange)
        OnChange(*this);
}

const TClassInfo& TFont::StaticClassInfo() {
    using T = TFont;
    static const TClassInfo info(
        "TFont", &TPersistent::StaticClassInfo(),
        {Published("Charset", &T::Charset, &T::SetCharset, kDefaultCharset),
         Published("Height", &T::Height, &T::SetHeight), Published("Name", &T::Name, &T::SetName),
         Published("Style", &T::Style, &T::SetStyle, TFontStyles{})});
    return info;
}

}  // namespace nimbra
