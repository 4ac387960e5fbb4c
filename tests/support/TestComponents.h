#pragma once

#include <memory>
#include <string>

#include "base/Collections.h"
#include "base/StringList.h"

namespace nimbra::testing_support {

// Small component classes with the published properties that the localizer
// and the help lookups find by name, as the control layer publishes them:
// texts, a string list, a font with a character set, a reading direction,
// an action, a parent, and a collection of titled items.

class TTestFont : public TPersistent {
  public:
    int Charset() const { return charset_; }
    void SetCharset(int value) { charset_ = value; }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(
            "TTestFont", &TPersistent::StaticClassInfo(),
            {Published("Charset", &TTestFont::Charset, &TTestFont::SetCharset, 1)});
        return info;
    }

  private:
    int charset_ = 1;
};

// Caption and Hint, the texts of actions, controls and menu items.
class TTestTexts : public TComponent {
  public:
    explicit TTestTexts(TComponent* owner, const std::string& name) : TComponent(owner) {
        SetName(name);
    }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        using T = TTestTexts;
        static const TClassInfo info("TTestTexts", &TComponent::StaticClassInfo(),
                                     {Published("Caption", &T::Caption, &T::SetCaption),
                                      Published("Hint", &T::Hint, &T::SetHint)});
        return info;
    }

  private:
    std::string caption_;
    std::string hint_;
};

enum TTestBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign };
inline const TTypeInfo& EnumTypeInfo(TTestBiDiMode) {
    static const TTypeInfo info =
        MakeEnumTypeInfo("TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign"});
    return info;
}

class TTestControl : public TTestTexts {
  public:
    explicit TTestControl(TComponent* owner, const std::string& name = {},
                          TComponent* parent = nullptr)
        : TTestTexts(owner, name), parent_(parent) {}
    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* value) { lines_->Assign(*value); }
    TTestFont* Font() const { return font_.get(); }
    void SetFont(TTestFont* value) { font_->SetCharset(value->Charset()); }
    TTestBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TTestBiDiMode value) { biDiMode_ = value; }
    TTestTexts* Action() const { return action_; }
    void SetAction(TTestTexts* value) { action_ = value; }
    // A TComponent: a property of the class's own type would need the
    // class's description while it is being built.
    TComponent* Parent() const { return parent_; }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        using T = TTestControl;
        static const TClassInfo info(
            "TTestControl", &TTestTexts::StaticClassInfo(),
            {Published("Lines", &T::Lines, &T::SetLines), Published("Font", &T::Font, &T::SetFont),
             Published("BiDiMode", &T::BiDiMode, &T::SetBiDiMode, bdLeftToRight),
             Published("Action", &T::Action, &T::SetAction),
             Published("Parent", &T::Parent, nullptr)});
        return info;
    }

  private:
    TComponent* parent_;
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    std::unique_ptr<TTestFont> font_ = std::make_unique<TTestFont>();
    TTestBiDiMode biDiMode_ = bdLeftToRight;
    TTestTexts* action_ = nullptr;
};

// A frame, as the localizer recognises one: by its class's name.
class TTestFrame : public TTestControl {
  public:
    using TTestControl::TTestControl;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TFrame", &TTestControl::StaticClassInfo());
        return info;
    }
};

class TTestPage : public TCollectionItem {
  public:
    using TCollectionItem::TCollectionItem;
    std::string Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TTestPage", &TCollectionItem::StaticClassInfo(),
                                     {Published("Title", &TTestPage::Title, &TTestPage::SetTitle)});
        return info;
    }

  private:
    std::string title_;
};

// A non-visual component with a collection (like the options dialog and its
// pages) and a help topic (like a menu).
class TTestPagesDialog : public TComponent {
  public:
    explicit TTestPagesDialog(TComponent* owner, const std::string& name) : TComponent(owner) {
        SetName(name);
    }
    TTypedCollection<TTestPage>* Pages() const { return pages_.get(); }
    void SetPages(TTypedCollection<TTestPage>* value) { pages_->Assign(*value); }
    std::string HelpContextEx() const { return helpContextEx_; }
    void SetHelpContextEx(const std::string& value) { helpContextEx_ = value; }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        using T = TTestPagesDialog;
        static const TClassInfo info(
            "TTestPagesDialog", &TComponent::StaticClassInfo(),
            {Published("Pages", &T::Pages, &T::SetPages),
             Published("HelpContextEx", &T::HelpContextEx, &T::SetHelpContextEx)});
        return info;
    }

  private:
    std::unique_ptr<TTypedCollection<TTestPage>> pages_ =
        std::make_unique<TTypedCollection<TTestPage>>();
    std::string helpContextEx_;
};

}  // namespace nimbra::testing_support
