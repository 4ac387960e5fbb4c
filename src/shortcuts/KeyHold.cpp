#include "shortcuts/KeyHold.h"

namespace nimbra {

namespace {

// Virtual keys of the modifiers, both sides.
constexpr std::uint16_t kShift = 0x10, kControl = 0x11, kMenu = 0x12;
constexpr std::uint16_t kLShift = 0xA0, kRShift = 0xA1, kLControl = 0xA2, kRControl = 0xA3;
constexpr std::uint16_t kLMenu = 0xA4, kRMenu = 0xA5, kLWin = 0x5B, kRWin = 0x5C;

}  // namespace

void TKeyHold::SetHotKey(TShortCut shortCut) {
    hotKey_ = shortCut;
}

void TKeyHold::TrackModifier(const TKeyEvent& event) {
    const bool down = !event.Up;
    switch (event.Key) {
        case kLWin:
        case kRWin:
            win_ = down;
            break;
        case kShift:
        case kLShift:
        case kRShift:
            shift_ = down;
            break;
        case kControl:
        case kLControl:
        case kRControl:
            ctrl_ = down;
            break;
        case kMenu:
        case kLMenu:
        case kRMenu:
            alt_ = down;
            break;
        default:
            break;
    }
}

bool TKeyHold::Modifiers(TShortCut wanted) const {
    return win_ == ((wanted & scWin) != 0) && shift_ == ((wanted & scShift) != 0) &&
           ctrl_ == ((wanted & scCtrl) != 0) && alt_ == ((wanted & scAlt) != 0);
}

bool TKeyHold::Pass(const TKeyEvent& event, std::uint64_t nowMs) {
    if (holding_) {
        held_.push_back(event);
        TrackModifier(event);
        return false;
    }
    TrackModifier(event);
    const auto key = static_cast<std::uint16_t>(hotKey_ & 0xFF);
    if (hotKey_ != 0 && !event.Up && event.Key == key && Modifiers(hotKey_)) {
        holding_ = true;
        started_ = nowMs;
    }
    return true;
}

std::vector<TKeyEvent> TKeyHold::Release() {
    holding_ = false;
    std::vector<TKeyEvent> released;
    released.swap(held_);
    return released;
}

}  // namespace nimbra
