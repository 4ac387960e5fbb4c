#include <algorithm>
#include <vector>

#include "shortcuts/HotKeyReceiver.h"

namespace nimbra {

namespace {

struct THolder {
    const THotKeyReceiver* Receiver;
    int Id;
    TShortCut ShortCut;
};

// Who holds which combination in this process: the stand-in for the
// desktop's table of hotkeys. Interface thread only, as on Windows.
std::vector<THolder>& Holders() {
    static std::vector<THolder> holders;
    return holders;
}

}  // namespace

// No key press arrives here, so there is nothing to keep.
struct THotKeyReceiver::TImpl {};

THotKeyReceiver::THotKeyReceiver(TPressed) : impl_(std::make_unique<TImpl>()) {}

THotKeyReceiver::~THotKeyReceiver() {
    std::erase_if(Holders(), [this](const THolder& h) { return h.Receiver == this; });
}

bool THotKeyReceiver::Register(int id, TShortCut shortCut) {
    const unsigned key = shortCut & 0x0FFFu;
    if (key == 0 || key > 255)
        return false;
    const bool taken = std::any_of(Holders().begin(), Holders().end(),
                                   [&](const THolder& h) { return h.ShortCut == shortCut; });
    if (taken)
        return false;
    Holders().push_back({this, id, shortCut});
    return true;
}

void THotKeyReceiver::Unregister(int id) {
    std::erase_if(Holders(), [&](const THolder& h) { return h.Receiver == this && h.Id == id; });
}

}  // namespace nimbra
