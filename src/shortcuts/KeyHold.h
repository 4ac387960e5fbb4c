#pragma once

// Which key events are held back after the hotkey that opens the program's
// window, so that what the user types at once reaches the window instead of
// the one that was in front: the rules, without the system's hook.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/ShortCuts.h"

namespace nimbra {

struct TKeyEvent {
    std::uint16_t Key = 0;       // virtual key
    std::uint16_t ScanCode = 0;  // or the character of a typed-text event
    bool Up = false;
    std::uint32_t Flags = 0;  // the system's flags, given back when sent again
    bool operator==(const TKeyEvent&) const = default;
};

class TKeyHold {
  public:
    // The combination that starts holding; 0 holds nothing (the hotkey is
    // off or another program has it).
    void SetHotKey(TShortCut shortCut);
    // Whether the event goes on now (false: it is held). The hotkey's own
    // press goes on, so that the system runs the hotkey.
    bool Pass(const TKeyEvent& event, std::uint64_t nowMs);
    bool Holding() const { return holding_; }
    // Holding ends (the window is ready, or it took too long): the held
    // events, in order, to be sent again.
    std::vector<TKeyEvent> Release();
    // Whether holding has gone on too long, or held as many as it may:
    // the held events are to be released now.
    bool Expired(std::uint64_t nowMs) const {
        return holding_ && (nowMs - started_ >= kMaxHoldMs || held_.size() >= kMaxHeld);
    }

    // The window comes within this, or the keys go on where they would have.
    static constexpr std::uint64_t kMaxHoldMs = 1500;
    // More than this is no burst of typing: holding ends.
    static constexpr std::size_t kMaxHeld = 512;

  private:
    void TrackModifier(const TKeyEvent& event);
    bool Modifiers(TShortCut wanted) const;

    TShortCut hotKey_ = 0;
    bool holding_ = false;
    std::uint64_t started_ = 0;
    std::vector<TKeyEvent> held_;
    bool win_ = false, shift_ = false, ctrl_ = false, alt_ = false;
};

}  // namespace nimbra
