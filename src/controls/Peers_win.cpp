#include "controls/Peers_win.h"

#include <array>

#include "controls/CheckListView.h"
#include "controls/ComCtrls.h"
#include "controls/ExtCtrls.h"
#include "controls/Forms_win.h"
#include "controls/HelpCtrls.h"
#include "controls/HotKeyEdit.h"
#include "controls/ImageComboBox.h"
#include "controls/PageListBox.h"
#include "controls/RadioButton.h"
#include "controls/Spin.h"
#include "controls/StdCtrls.h"

namespace nimbra {

namespace {

using TPeerFactory = std::unique_ptr<TControlPeer> (*)(TControl&);

struct TPeerEntry {
    const TClassInfo& (*Class)();
    TPeerFactory Factory;
};

std::unique_ptr<TControlPeer> NoPeer(TControl&) {
    return nullptr;
}

// Looked up from the control's own class towards its ancestors.
const std::array<TPeerEntry, 24> kPeers{{
    {&TCustomForm::StaticClassInfo, &MakeFormPeer},
    {&TFrame::StaticClassInfo, &MakeContainerPeer},
    {&TPanel::StaticClassInfo, &MakeContainerPeer},
    {&TTabSheet::StaticClassInfo, &MakeContainerPeer},
    {&TLabel::StaticClassInfo, &MakeLabelPeer},
    {&TNumericEdit::StaticClassInfo, &MakeNumericEditPeer},
    {&TEdit::StaticClassInfo, &MakeEditPeer},
    {&TButton::StaticClassInfo, &MakeButtonPeer},
    {&TCheckBox::StaticClassInfo, &MakeCheckBoxPeer},
    {&TComboBox::StaticClassInfo, &MakeComboBoxPeer},
    {&TGroupBox::StaticClassInfo, &MakeGroupBoxPeer},
    {&TImage::StaticClassInfo, &MakeImagePeer},
    {&TPageControl::StaticClassInfo, &MakePageControlPeer},
    {&TStatusBar::StaticClassInfo, &MakeStatusBarPeer},
    {&TToolBar::StaticClassInfo, &MakeToolBarPeer},
    {&TToolButton::StaticClassInfo, &NoPeer},
    {&TListViewEx::StaticClassInfo, &MakeListViewPeer},
    {&TTreeView::StaticClassInfo, &MakeTreeViewPeer},
    {&TRichView::StaticClassInfo, &MakeRichViewPeer},
    {&TCheckListView::StaticClassInfo, &MakeCheckListPeer},
    {&TRadioButton::StaticClassInfo, &MakeRadioButtonPeer},
    {&TImageComboBox::StaticClassInfo, &MakeImageComboBoxPeer},
    {&TPageListBox::StaticClassInfo, &MakePageListBoxPeer},
    {&THotKey::StaticClassInfo, &MakeHotKeyPeer},
}};

}  // namespace

std::unique_ptr<TControlPeer> MakePeer(TControl& control) {
    for (const TClassInfo* info = &control.ClassInfo(); info != nullptr; info = info->Parent()) {
        for (const TPeerEntry& entry : kPeers) {
            if (&entry.Class() == info)
                return entry.Factory(control);
        }
    }
    return nullptr;
}

}  // namespace nimbra
