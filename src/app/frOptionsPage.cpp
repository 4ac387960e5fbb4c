#include "app/frOptionsPage.h"

#include "controls/ActnList.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

TOptionsPageFrame::TOptionsPageFrame(TComponent* owner) : TFrame(owner) {}

std::string TOptionsPageFrame::GetHelpTopic() const {
    std::string topic = GetLongHint(Hint());
    return topic.empty() ? "!App.Dialogs.Options" : topic;
}

TLabel* TOptionsPageFrame::InitPage(const char* name, const char* title) {
    SetName(name);
    SetBounds(0, 0, kPageWidth, kPageHeight);
    auto* label = MakeControl<TLabel>(this, this, "TitleLabel", Bounds(8, 8, kPageWidth - 16, 13));
    TFont bold;
    bold.Assign(*Font());
    bold.SetStyle({fsBold});
    label->SetFont(&bold);
    label->SetCaption(title);
    label->SetAnchors({akLeft, akTop, akRight});
    return label;
}

bool TOptionsPageFrame::CanClose(int, bool&) {
    return true;
}

const TClassInfo& TOptionsPageFrame::StaticClassInfo() {
    static const TClassInfo info("TOptionsPageFrame", &TFrame::StaticClassInfo());
    return info;
}

}  // namespace nimbra
