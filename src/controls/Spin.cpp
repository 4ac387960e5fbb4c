#include "controls/Spin.h"

#include <algorithm>
#include <charconv>

namespace nimbra {

TNumericEdit::TNumericEdit(TComponent* owner) : TEdit(owner) {
    OnKeyPress = [](TObject&, char32_t& key) {
        if (!AcceptsChar(key))
            key = 0;
    };
    SetText("0");
}

void TNumericEdit::SetRange(int minValue, int maxValue) {
    minValue_ = minValue;
    maxValue_ = std::max(minValue, maxValue);
    SetValue(Value());
}

int TNumericEdit::Value() const {
    const std::string& text = Text();
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return minValue_;
    return std::clamp(value, minValue_, maxValue_);
}

void TNumericEdit::SetValue(int value) {
    SetText(std::to_string(std::clamp(value, minValue_, maxValue_)));
}

void TNumericEdit::StepUp() {
    const int value = Value();
    SetValue(value >= maxValue_ ? minValue_ : value + 1);
}

void TNumericEdit::StepDown() {
    const int value = Value();
    SetValue(value <= minValue_ ? maxValue_ : value - 1);
}

bool TNumericEdit::AcceptsChar(char32_t key) {
    return (key >= U'0' && key <= U'9') || key == U'.' || key == U'\b';
}

const TClassInfo& TNumericEdit::StaticClassInfo() {
    static const TClassInfo info("TNumericEdit", &TEdit::StaticClassInfo());
    return info;
}

}  // namespace nimbra
