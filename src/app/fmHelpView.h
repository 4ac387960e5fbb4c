#pragma once

// The help viewer: the contents tree, the topic with its links, back and
// forward, and a search by keywords (Windows only).
#include <string>

#include "controls/Forms.h"
#include "controls/HelpCtrls.h"
#include "controls/StdCtrls.h"
#include "help/HelpViewModel.h"

namespace nimbra {

class TAppIniFormPos;

class THelpViewForm : public TForm {
  public:
    explicit THelpViewForm(TComponent* owner);

    TButton* BackButton = nullptr;
    TButton* ForwardButton = nullptr;
    TEdit* SearchEdit = nullptr;
    TButton* SearchButton = nullptr;
    TTreeView* ContentsTree = nullptr;
    TRichView* TopicView = nullptr;
    TAppIniFormPos* AppIniFormPos1 = nullptr;

    // Shows the topic of a help key ("!App.Keyboard"), or the start page
    // when there is no such topic.
    void ShowTopic(const std::string& key);
    const std::string& CurrentTopic() const { return history_.Current(); }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void Display(const std::string& id);
    void FillContents();
    void Search();
    void LinkClicked(const std::string& target);
    void UpdateButtons();

    THelpHistory history_;
    std::vector<THelpContentsNode> listed_;
};

// Opens the program's help viewer (one for the whole program) at a help
// key and brings it to the front; what ShowHelp runs in the program.
bool ShowHelpViewer(const std::string& key);
// The viewer as the only window of the program: shown modally.
void ShowHelpModal(const std::string& key);

}  // namespace nimbra
