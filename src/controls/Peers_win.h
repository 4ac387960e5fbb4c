#pragma once

// Which peer a control gets (Windows only).
#include <memory>

#include "controls/Controls.h"

namespace nimbra {

// The peer for the control's class (or its nearest registered ancestor
// class); nullptr for controls drawn by their parent (tool buttons).
std::unique_ptr<TControlPeer> MakePeer(TControl& control);

// The peers of each unit, made by MakePeer.
std::unique_ptr<TControlPeer> MakeFormPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeContainerPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeLabelPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeEditPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeNumericEditPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeButtonPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeCheckBoxPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeComboBoxPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeGroupBoxPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeImagePeer(TControl& control);
std::unique_ptr<TControlPeer> MakePageControlPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeStatusBarPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeToolBarPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeListViewPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeTreeViewPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeRichViewPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeCheckListPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeRadioButtonPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeImageComboBoxPeer(TControl& control);
std::unique_ptr<TControlPeer> MakePageListBoxPeer(TControl& control);
std::unique_ptr<TControlPeer> MakeHotKeyPeer(TControl& control);

}  // namespace nimbra
