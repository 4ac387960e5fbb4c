#include "app/fmHelpView.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <memory>

#include "app/fmCommonAppForm.h"
#include "base/Locale.h"
#include "base/Unicode.h"
#include "controls/Dialogs_win.h"
#include "controls/Forms_win.h"
#include "help/CommonAppHelp.h"
#include "help/HelpUtilsEx.h"
#include "utils/AppIniForm_win.h"
#include "utils/NewLangUtils.h"
#include "utils/NewLangUtilsTexts.h"
#include "utils/WindowPlacement.h"

namespace nimbra {

namespace {

constexpr std::string_view kHelpScheme = "help:";

// Only addresses a browser or mail program opens: a help text cannot start
// programs or open files.
bool IsWebOrMailAddress(const std::string& target) {
    for (std::string_view scheme : {"http://", "https://", "mailto:", "www."})
        if (target.size() > scheme.size() && SameText(target.substr(0, scheme.size()), scheme))
            return true;
    return false;
}

THelpViewForm* ProgramHelpViewer() {
    if (Application == nullptr)
        return nullptr;
    for (TCustomForm* form : Application->Forms())
        if (auto* viewer = dynamic_cast<THelpViewForm*>(form))
            return viewer;
    return nullptr;
}

}  // namespace

THelpViewForm::THelpViewForm(TComponent* owner) : TForm(owner) {
    SetName("HelpViewForm");
    SetPosition(poScreenCenter);
    SetClientSize(640, 440);
    SetHint("!App");
    BackButton = MakeControl<TButton>(this, this, "BackButton", Bounds(8, 8, 75, 25));
    BackButton->SetCaption("&Back");
    BackButton->SetHint("Go back to the previous topic.");
    BackButton->OnClick = [this](TObject&) { Display(history_.Back()); };
    ForwardButton = MakeControl<TButton>(this, this, "ForwardButton", Bounds(89, 8, 75, 25));
    ForwardButton->SetCaption("&Forward");
    ForwardButton->SetHint("Go forward to the next topic.");
    ForwardButton->OnClick = [this](TObject&) { Display(history_.Forward()); };
    SearchEdit = MakeControl<TEdit>(this, this, "SearchEdit", Bounds(254, 10, 286, 21));
    SearchEdit->SetHint("Type the keywords to look for.");
    SearchEdit->SetAnchors({akLeft, akTop, akRight});
    SearchButton = MakeControl<TButton>(this, this, "SearchButton", Bounds(546, 8, 86, 25));
    SearchButton->SetCaption("&Search");
    SearchButton->SetHint("Find the topics that hold all the keywords.");
    SearchButton->SetDefault(true);
    SearchButton->SetAnchors({akTop, akRight});
    SearchButton->OnClick = [this](TObject&) { Search(); };
    ContentsTree = MakeControl<TTreeView>(this, this, "ContentsTree", Bounds(8, 41, 220, 391));
    ContentsTree->SetAnchors({akLeft, akTop, akBottom});
    ContentsTree->OnChange = [this](TTreeView&, int index) {
        if (index >= 0 && index < static_cast<int>(listed_.size())) {
            history_.Visit(listed_[static_cast<std::size_t>(index)].Id);
            Display(history_.Current());
        }
    };
    TopicView = MakeControl<TRichView>(this, this, "TopicView", Bounds(234, 41, 398, 391));
    TopicView->SetAnchors({akLeft, akTop, akRight, akBottom});
    TopicView->OnLinkClick = [this](TRichView&, const std::string& target) { LinkClicked(target); };
    AppIniFormPos1 = new TAppIniFormPos(this);
    AppIniFormPos1->SetName("AppIniFormPos1");
    AppIniFormPos1->SetSection("AppHelp");
    AppIniFormPos1->SetStoreSize(true);
    AppIniFormPos1->SetStorePosition(true);
    auto* localizer = new TNewLocalizer(this);
    localizer->SetName("NewLocalizer1");
    const auto nameTheViewer = [this] {
        SetCaption(WithAppName(GetLocalizedString(CodeText("HelpViewForm", "HelpCaption"))));
    };
    localizer->OnLocalize = [this, nameTheViewer](TNewLocalizer&) {
        nameTheViewer();
        // The topics follow the language too.
        FillContents();
        Display(history_.Current());
    };
    nameTheViewer();
    FillContents();
    UpdateButtons();
    FinishLoading(*this);
}

void THelpViewForm::FillContents() {
    listed_ = HelpContents(HelpStore(), TopicIdOf(kRootTopic));
    std::vector<TTreeItem> items;
    for (const THelpContentsNode& node : listed_)
        items.push_back({node.Title, node.Level});
    ContentsTree->SetItems(std::move(items));
}

void THelpViewForm::ShowTopic(const std::string& key) {
    std::string id = TopicIdOf(key);
    if (HelpStore().FindTopic(id) < 0)
        id = TopicIdOf(kRootTopic);
    history_.Visit(id);
    Display(id);
}

void THelpViewForm::Display(const std::string& id) {
    if (id.empty())
        return;
    const THelpStore& store = HelpStore();
    const std::string rtf = store.ToRichText(id, store.Expand(id, store.TopicText(id)), {});
    TMarkedLinks marked = MarkLinks(rtf);
    TopicView->SetContent(std::move(marked.RichText), std::move(marked.Targets));
    int shown = -1;
    for (std::size_t i = 0; i < listed_.size(); ++i)
        if (AnsiSameText(listed_[i].Id, id))
            shown = static_cast<int>(i);
    ContentsTree->SetSelected(shown);
    UpdateButtons();
}

void THelpViewForm::Search() {
    const std::string words = SearchEdit->Text();
    if (words.find_first_not_of(' ') == std::string::npos) {
        FillContents();
        Display(history_.Current());
        return;
    }
    const std::vector<std::string> found = FindTopics(HelpStore(), words);
    if (found.empty()) {
        MessageDlg(GetLocalizedString(CodeText("HelpViewForm", "NoTopicsFound")), mtInformation,
                   mbOK);
        return;
    }
    // The tree lists what was found until the box is emptied again.
    listed_.clear();
    std::vector<TTreeItem> items;
    for (const std::string& id : found) {
        const std::string title = HelpStore().TopicTitle(HelpStore().FindTopic(id));
        listed_.push_back({id, title, 0});
        items.push_back({title, 0});
    }
    ContentsTree->SetItems(std::move(items));
    history_.Visit(found.front());
    Display(found.front());
}

void THelpViewForm::LinkClicked(const std::string& target) {
    if (target.size() > kHelpScheme.size() &&
        SameText(std::string_view(target).substr(0, kHelpScheme.size()), kHelpScheme)) {
        ShowTopic(target.substr(kHelpScheme.size()));
    } else if (IsWebOrMailAddress(target)) {
        ShellExecuteW(nullptr, L"open", ToWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

void THelpViewForm::UpdateButtons() {
    BackButton->SetEnabled(history_.CanGoBack());
    ForwardButton->SetEnabled(history_.CanGoForward());
}

const TClassInfo& THelpViewForm::StaticClassInfo() {
    static const TClassInfo info("THelpViewForm", &TForm::StaticClassInfo());
    return info;
}

bool ShowHelpViewer(const std::string& key) {
    if (Application == nullptr)
        return false;
    THelpViewForm* viewer = ProgramHelpViewer();
    if (viewer == nullptr)
        viewer = new THelpViewForm(Application);
    viewer->ShowTopic(key);
    viewer->Show();
    return true;
}

void ShowHelpModal(const std::string& key) {
    const auto viewer = std::make_unique<THelpViewForm>(nullptr);
    viewer->ShowTopic(key);
    viewer->ShowModal();
}

}  // namespace nimbra
