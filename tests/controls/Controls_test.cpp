#include "controls/Controls.h"

#include <gtest/gtest.h>

#include <string>

#include "controls/ComCtrls.h"
#include "controls/ExtCtrls.h"
#include "controls/Forms.h"
#include "controls/Spin.h"
#include "controls/StdCtrls.h"

#include "support/GeometryPrinters.h"

namespace nimbra {
namespace {

// Every character 6 pixels wide and 13 high at 96 dpi, scaled with the dpi.
class TFixedMetrics : public TTextMetrics {
  public:
    TSize TextExtent(const TFont&, int dpi, std::string_view text) const override {
        return {ScaleToDpi(6 * static_cast<int>(text.size()), dpi), ScaleToDpi(13, dpi)};
    }
};

// A frame as the search window builds one: owned by the form, parented to
// panels that are created after some of their children.
class ControlTreeTest : public testing::Test {
  protected:
    ControlTreeTest() {
        form_->SetName("NimbraApp");
        form_->SetClientSize(400, 300);
        form_->SetBoundsRect({0, 0, 400, 300});
        form_->SetTextMetrics(&metrics_);
        frame_->SetName("NimbraFrame1");
        frame_->SetParent(form_.get());
        frame_->SetAlign(alClient);
        edit_->SetName("Edit1");
        label_->SetName("Label1");
        panel_->SetName("Panel1");
        panel_->SetParent(frame_);
        panel_->SetBounds(0, 0, 400, 300);
        panel_->SetAlign(alClient);
        label_->SetParent(panel_);
        label_->SetBounds(8, 8, 60, 13);
        label_->SetCaption("&What do you want to find?");
        edit_->SetParent(panel_);
        edit_->SetBounds(8, 24, 384, 21);
        edit_->SetAnchors({akLeft, akTop, akRight});
    }

    TFixedMetrics metrics_;
    std::unique_ptr<TForm> form_ = std::make_unique<TForm>(nullptr);
    TFrame* frame_ = new TFrame(form_.get());
    TEdit* edit_ = new TEdit(frame_);  // created before its parent
    TLabel* label_ = new TLabel(frame_);
    TPanel* panel_ = new TPanel(frame_);
};

TEST_F(ControlTreeTest, TheComponentPathFollowsOwnersNotParents) {
    EXPECT_EQ(edit_->ComponentPath(), "NimbraApp.NimbraFrame1.Edit1");
    EXPECT_EQ(edit_->Parent(), panel_);
}

TEST_F(ControlTreeTest, FreeingTheFormInAnyOrderReachesNothingFreed) {
    // Run under AddressSanitizer: the owner frees the panel before the edit
    // and the label although they sit in it.
    form_.reset();
    SUCCEED();
}

TEST_F(ControlTreeTest, FreeingAContainerFirstLeavesItsChildrenWithoutParent) {
    delete panel_;
    EXPECT_EQ(edit_->Parent(), nullptr);
    EXPECT_EQ(label_->Parent(), nullptr);
}

TEST_F(ControlTreeTest, FontsFollowTheParentUntilSetOwn) {
    TFont bold;
    bold.SetStyle({fsBold});
    label_->SetFont(&bold);
    form_->Font()->SetName("Segoe UI");
    form_->Font()->SetHeight(-15);
    EXPECT_EQ(edit_->Font()->Name(), "Segoe UI");
    EXPECT_EQ(edit_->Font()->Height(), -15);
    EXPECT_FALSE(label_->ParentFont());
    EXPECT_EQ(label_->Font()->Name(), "Tahoma");
    label_->SetParentFont(true);
    EXPECT_EQ(label_->Font()->Name(), "Segoe UI");
    EXPECT_TRUE(label_->Font()->Style().Empty());
}

TEST_F(ControlTreeTest, LayoutScalesStretchesAndFitsTranslatedCaptions) {
    form_->Realign();
    EXPECT_EQ(edit_->BoundsRect(), (TRect{8, 24, 392, 45}));
    // The auto-sized label is as wide as its text without the "&".
    EXPECT_EQ(label_->BoundsRect().Width(), 6 * 25);
    form_->SetBoundsRect({0, 0, 600, 450});
    label_->SetCaption("&Wonach suchen Sie?");
    form_->Realign();
    EXPECT_EQ(edit_->BoundsRect(), (TRect{8, 24, 592, 45}));
    EXPECT_EQ(label_->BoundsRect().Width(), 6 * 18);
}

TEST_F(ControlTreeTest, TheFormsMinimumFollowsItsChildrenNeeds) {
    panel_->Constraints()->SetMinWidth(245);
    panel_->Constraints()->SetMinHeight(240);
    form_->Realign();
    EXPECT_EQ(form_->MinClientSize(), (TSize{245, 240}));
    auto* wide = new TCheckBox(frame_);
    wide->SetParent(panel_);
    wide->SetBounds(8, 60, 100, 17);
    wide->SetCaption(std::string(60, 'x'));
    form_->Realign();
    EXPECT_EQ(form_->MinClientSize().Width, 8 + 19 + 360);
}

TEST(ListViewExTest, SelectionStaysWithinTheRows) {
    TListViewEx list(nullptr);
    list.SetRowCount(5);
    list.SelectRow(4);
    EXPECT_EQ(list.SelectedRow(), 4);
    list.SetRowCount(3);  // the list got shorter under the selection
    EXPECT_EQ(list.SelectedRow(), -1);
    list.SelectRow(7);
    EXPECT_EQ(list.SelectedRow(), -1);
    list.SetRowCount(-2);
    EXPECT_EQ(list.RowCount(), 0);
}

TEST(ComboBoxTest, AnIndexBeyondTheItemsSelectsNothing) {
    TComboBox box(nullptr);
    box.Items()->SetCommaText("\"day(s)\",\"week(s)\",\"month(s)\",\"year(s)\"");
    box.SetItemIndex(2);
    EXPECT_EQ(box.ItemIndex(), 2);
    box.SetItemIndex(4);
    EXPECT_EQ(box.ItemIndex(), -1);
    box.SetItemIndex(3);
    box.Items()->Delete(3);
    EXPECT_EQ(box.ItemIndex(), -1);
}

TEST(ToolButtonTest, ShowsItsActionsCheckMarkAsPressed) {
    TComponent frame(nullptr);
    auto* action = new TAction(&frame);
    action->SetCaption("&Recent only");
    action->SetAutoCheck(true);
    auto* button = new TToolButton(&frame);
    button->SetAction(action);
    action->Execute();
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(button->Caption(), "&Recent only");
}

TEST(ButtonTest, AModalResultReachesTheButtonsForm) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* ok = new TButton(&form);
    ok->SetParent(panel);
    ok->SetModalResult(mrOk);
    ok->Click();
    EXPECT_EQ(form.ModalResult(), mrOk);
}

struct TNumericCase {
    std::string Text;
    int Value;
};

class NumericEditTest : public testing::TestWithParam<TNumericCase> {};

TEST_P(NumericEditTest, ReadsAWholeNumberHeldToTheRange) {
    TNumericEdit edit(nullptr);
    edit.SetRange(1, 100);
    edit.SetText(GetParam().Text);
    EXPECT_EQ(edit.Value(), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Table, NumericEditTest,
                         testing::Values(TNumericCase{"3", 3}, TNumericCase{"100", 100},
                                         TNumericCase{"250", 100}, TNumericCase{"0", 1},
                                         TNumericCase{"", 1}, TNumericCase{"2.5", 1},
                                         TNumericCase{"99999999999", 1}, TNumericCase{"-4", 1}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(NumericEditTest, ArrowsWrapAtBothEndsAndTypingTakesDigitsOnly) {
    TNumericEdit edit(nullptr);
    edit.SetRange(1, 100);
    edit.SetValue(100);
    edit.StepUp();
    EXPECT_EQ(edit.Value(), 1);
    edit.StepDown();
    EXPECT_EQ(edit.Value(), 100);
    for (char32_t key : {U'7', U'.', U'\b'}) {
        char32_t typed = key;
        edit.KeyPress(typed);
        EXPECT_EQ(typed, key);
    }
    for (char32_t key : {U'a', U'-', U' ', U'\u0665'}) {
        char32_t typed = key;
        edit.KeyPress(typed);
        EXPECT_EQ(typed, 0u);
    }
}

}  // namespace
}  // namespace nimbra
