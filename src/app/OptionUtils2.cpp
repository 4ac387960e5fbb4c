#include "app/OptionUtils2.h"

#include "app/frOptionsPage.h"
#include "base/TypInfo.h"
#include "controls/ClassRegistry.h"
#include "controls/ImgList.h"
#include "utils/ConfigUtils.h"

namespace nimbra {

// ---- TOptionsPage2 ------------------------------------------------------------------------

int TOptionsPage2::ImageIn(const TCustomImageList* images) const {
    if (images == nullptr)
        return -1;
    const int index = imageTitle_.empty() ? imageIndex_ : images->IndexOf(imageTitle_);
    return index >= 0 && index < images->Count() ? index : -1;
}

void TOptionsPage2::Assign(const TPersistent& source) {
    const auto* page = dynamic_cast<const TOptionsPage2*>(&source);
    if (page == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    title_ = page->title_;
    imageIndex_ = page->imageIndex_;
    imageTitle_ = page->imageTitle_;
    frameClass_ = page->frameClass_;
    visible_ = page->visible_;
}

const TClassInfo& TOptionsPage2::StaticClassInfo() {
    using T = TOptionsPage2;
    static const TClassInfo info(typeid(T), "TOptionsPage2", &TCollectionItem::StaticClassInfo(),
                                 {Published("FrameClass", &T::FrameClass, &T::SetFrameClass),
                                  Published("ImageIndex", &T::ImageIndex, &T::SetImageIndex),
                                  Published("ImageTitle", &T::ImageTitle, &T::SetImageTitle),
                                  Published("Title", &T::Title, &T::SetTitle),
                                  Published("Visible", &T::Visible, &T::SetVisible, true)});
    return info;
}

TOptionsPage2* TOptionsPages2::AddPage(const std::string& title, const std::string& imageTitle,
                                       const std::string& frameClass, bool visible) {
    TOptionsPage2* page = Add();
    page->SetTitle(title);
    page->SetImageTitle(imageTitle);
    page->SetFrameClass(frameClass);
    page->SetVisible(visible);
    return page;
}

const TClassInfo& TOptionsPages2::StaticClassInfo() {
    static const TClassInfo info(typeid(TOptionsPages2), "TOptionsPages2",
                                 &TCollection::StaticClassInfo());
    return info;
}

const TClassInfo* FindOptionsPageClass(const std::string& name) {
    const TClassInfo* info = FindComponentClassInfo(name);
    return info != nullptr && info->InheritsFrom(TOptionsPageFrame::StaticClassInfo()) ? info
                                                                                       : nullptr;
}

// ---- TOptionsPageSet ----------------------------------------------------------------------

void TOptionsPageSet::CreatePages(TOptionsPages2& pages, TComponent* owner) {
    for (int i = 0; i < pages.Count(); ++i) {
        TOptionsPage2& page = *pages.Items(i);
        if (!page.Visible() || page.Title().empty() || page.FrameClass().empty() ||
            FindOptionsPageClass(page.FrameClass()) == nullptr)
            continue;
        auto* frame =
            dynamic_cast<TOptionsPageFrame*>((*FindComponentClass(page.FrameClass()))(owner));
        if (frame == nullptr)
            continue;
        frame->SetPage(&page);
        frames_.push_back(frame);
    }
}

std::string TOptionsPageSet::Title(int index) const {
    const TOptionsPage2* page = Frame(index).Page();
    return page != nullptr ? page->Title() : std::string();
}

TOptionsPageFrame* TOptionsPageSet::ActiveFrame() const {
    return active_ >= 0 ? frames_[static_cast<std::size_t>(active_)] : nullptr;
}

int TOptionsPageSet::IndexOfTitle(const std::string& title) const {
    for (int i = 0; i < Count(); ++i) {
        if (Title(i) == title)
            return i;
    }
    return -1;
}

int TOptionsPageSet::FirstPage(const std::string& startTitle,
                               const std::string& storedTitle) const {
    if (Count() == 0)
        return -1;
    for (const std::string* title : {&startTitle, &storedTitle}) {
        if (!title->empty()) {
            if (const int index = IndexOfTitle(*title); index >= 0)
                return index;
        }
    }
    return 0;
}

bool TOptionsPageSet::Activate(int index) {
    if (index < 0 || index >= Count())
        return false;
    if (index != active_) {
        active_ = index;
        Frame(index).PageActivated();
    }
    return true;
}

int TOptionsPageSet::Neighbour(int delta) const {
    if (Count() == 0)
        return -1;
    const int from = active_ < 0 ? 0 : active_;
    return ((from + delta) % Count() + Count()) % Count();
}

void TOptionsPageSet::LoadAll() {
    for (TOptionsPageFrame* frame : frames_)
        frame->PrepareSettings();
    for (TOptionsPageFrame* frame : frames_)
        frame->LoadSettings();
}

bool TOptionsPageSet::CanClose(int modalResult, int& showIndex) {
    showIndex = -1;
    for (int i = 0; i < Count(); ++i) {
        bool showPage = false;
        if (!Frame(i).CanClose(modalResult, showPage)) {
            if (showPage)
                showIndex = i;
            return false;
        }
    }
    return true;
}

void TOptionsPageSet::Finish(bool accepted) {
    for (TOptionsPageFrame* frame : frames_) {
        if (accepted)
            frame->SaveSettings();
        else
            frame->CancelSettings();
    }
}

void TOptionsPageSet::Hidden() {
    for (TOptionsPageFrame* frame : frames_)
        frame->DialogHidden();
}

std::string TOptionsPageSet::ListHint(const std::string& ownHint) const {
    std::string hint = ownHint;
    for (int i = 0; i < Count(); ++i) {
        const std::string& frameHint = Frame(i).Hint();
        if (frameHint.empty())
            continue;
        if (!hint.empty())
            hint += '\n';
        hint +=
            (i == active_ ? "{\\b\\ul " : "{\\b ") + Title(i) + "} - " + GetShortHint(frameHint);
    }
    return hint;
}

namespace {
constexpr const char* kActivePageSection = "Config";
std::string ActivePageIdent(const std::string& dialogName) {
    return dialogName + ".Active page";
}
}  // namespace

std::string StoredActivePage(const std::string& dialogName) {
    return AppIni().ReadString(kActivePageSection, ActivePageIdent(dialogName), "");
}

void StoreActivePage(const std::string& dialogName, const std::string& title) {
    AppIni().WriteString(kActivePageSection, ActivePageIdent(dialogName), title);
}

}  // namespace nimbra
