#include "controls/Menus.h"

#include <algorithm>
#include <cctype>

#include "controls/ImgList.h"

namespace nimbra {

namespace {

// Command numbers of the items that exist. Menu commands are 16-bit
// numbers shared with the window's controls, so the numbers start above the
// ones controls use and are given back when an item goes.
constexpr std::uint16_t kFirstCommand = 0x100;

std::vector<bool>& UsedCommands() {
    static std::vector<bool> used;
    return used;
}

std::uint16_t AllocateCommand() {
    std::vector<bool>& used = UsedCommands();
    const auto free = std::find(used.begin(), used.end(), false);
    const auto slot = static_cast<std::size_t>(free - used.begin());
    if (free == used.end()) {
        if (used.size() >= 0xFFFFu - kFirstCommand)
            throw Exception("Too many menu items");
        used.push_back(true);
    } else {
        *free = true;
    }
    return static_cast<std::uint16_t>(kFirstCommand + slot);
}

void ReleaseCommand(std::uint16_t command) {
    UsedCommands().at(command - kFirstCommand) = false;
}

bool IsHotkeyCandidate(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

char HotkeyOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return 0;
}

}  // namespace

// ---- TMenuItem ------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
    Clear();
    SetAction(nullptr);
    if (parent_ != nullptr)
        parent_->Remove(this);
    ReleaseCommand(command_);
}

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    Changed();
}

void TMenuItem::SetHint(const std::string& hint) {
    hint_ = hint;
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut_ == shortCut)
        return;
    shortCut_ = shortCut;
    Changed();
}

void TMenuItem::SetChecked(bool checked) {
    if (checked_ == checked)
        return;
    checked_ = checked;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Changed();
}

void TMenuItem::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Changed();
}

void TMenuItem::SetDefault(bool isDefault) {
    if (default_ == isDefault)
        return;
    default_ = isDefault;
    Changed();
}

void TMenuItem::SetImageIndex(int index) {
    if (imageIndex_ == index)
        return;
    imageIndex_ = index;
    Changed();
}

void TMenuItem::SetAction(TBasicAction* action) {
    if (action_ == action)
        return;
    if (action_ != nullptr) {
        action_->UnregisterClient(this);
        action_->RemoveFreeNotification(this);
    }
    action_ = action;
    if (action_ == nullptr)
        return;
    action_->RegisterClient(this);
    action_->FreeNotification(this);
    ActionChanged(*action_);
}

void TMenuItem::ActionChanged(TBasicAction& action) {
    const auto* a = dynamic_cast<const TAction*>(&action);
    if (a == nullptr)
        return;
    caption_ = a->Caption();
    hint_ = a->Hint();
    shortCut_ = a->ShortCut();
    checked_ = a->Checked();
    enabled_ = a->Enabled();
    visible_ = a->Visible();
    imageIndex_ = a->ImageIndex();
    Changed();
}

void TMenuItem::ActionDestroying(TBasicAction& action) {
    if (&action == action_)
        action_ = nullptr;
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == action_)
        action_ = nullptr;
}

void TMenuItem::Click() {
    if (OnClick) {
        OnClick(*this);
    } else if (action_ != nullptr) {
        action_->Execute();
    }
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->parent_ != nullptr)
        throw EComponentError("The menu item is already in a menu");
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
    Changed();
}

void TMenuItem::Delete(int index) {
    delete Items(index);
}

void TMenuItem::Clear() {
    while (!items_.empty())
        delete items_.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenu* TMenuItem::Menu() const {
    const TMenuItem* root = this;
    while (root->parent_ != nullptr)
        root = root->parent_;
    return root->menu_;
}

void TMenuItem::Changed() {
    if (TMenu* menu = Menu())
        menu->ItemChanged();
}

const TClassInfo& TMenuItem::StaticClassInfo() {
    using T = TMenuItem;
    static const TClassInfo info("TMenuItem", &TComponent::StaticClassInfo(),
                                 {Published("Action", &T::Action, &T::SetAction),
                                  Published("Caption", &T::Caption, &T::SetCaption),
                                  Published("Checked", &T::Checked, &T::SetChecked, false),
                                  Published("Default", &T::Default, &T::SetDefault, false),
                                  Published("Enabled", &T::Enabled, &T::SetEnabled, true),
                                  Published("Hint", &T::Hint, &T::SetHint),
                                  Published("ImageIndex", &T::ImageIndex, &T::SetImageIndex, -1),
                                  Published("ShortCut", &T::ShortCut, &T::SetShortCut, 0),
                                  Published("Visible", &T::Visible, &T::SetVisible, true)});
    return info;
}

// ---- TMenu ----------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    items_->menu_ = nullptr;
    delete items_;
}

void TMenu::SetImages(TCustomImageList* images) {
    if (images_ != nullptr)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_ != nullptr)
        images_->FreeNotification(this);
}

namespace {

TMenuItem* FindIn(TMenuItem* item, std::uint16_t command) {
    if (item->Command() == command)
        return item;
    for (int i = 0; i < item->Count(); ++i) {
        if (TMenuItem* found = FindIn(item->Items(i), command))
            return found;
    }
    return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItem(std::uint16_t command) const {
    return FindIn(items_, command);
}

void TMenu::UpdateItemActions(const TMenuItem& item) {
    for (int i = 0; i < item.Count(); ++i) {
        if (TBasicAction* action = item.Items(i)->Action())
            action->Update();
    }
}

void TMenu::ItemChanged() {
    if (OnChange)
        OnChange(*this);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_)
        images_ = nullptr;
}

const TClassInfo& TMenu::StaticClassInfo() {
    static const TClassInfo info("TMenu", &TComponent::StaticClassInfo());
    return info;
}

const TClassInfo& TMainMenu::StaticClassInfo() {
    static const TClassInfo info("TMainMenu", &TMenu::StaticClassInfo());
    return info;
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TClassInfo info("TPopupMenu", &TMenu::StaticClassInfo());
    return info;
}

// ---- menu level rules ---------------------------------------------------------------------

std::vector<std::string> AssignHotkeys(const std::vector<std::string>& captions) {
    std::vector<std::string> result = captions;
    std::string used;
    for (const std::string& caption : captions) {
        if (const char key = HotkeyOf(caption))
            used += key;
    }
    const auto upper = [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    };
    const auto isFree = [&](char c) {
        return IsHotkeyCandidate(c) && used.find(upper(c)) == std::string::npos;
    };
    for (std::string& caption : result) {
        if (caption == "-" || HotkeyOf(caption) != 0)
            continue;
        // Candidates are the characters themselves, never the "&&" that
        // writes a literal "&". Word starts first, then any letter or digit.
        std::size_t chosen = std::string::npos;
        for (int pass = 0; pass < 2 && chosen == std::string::npos; ++pass) {
            for (std::size_t i = 0; i < caption.size(); ++i) {
                if (caption[i] == '&') {
                    ++i;
                    continue;
                }
                const bool wordStart = i == 0 || caption[i - 1] == ' ';
                if ((pass == 1 || wordStart) && isFree(caption[i])) {
                    chosen = i;
                    break;
                }
            }
        }
        if (chosen == std::string::npos)
            continue;
        used += upper(caption[chosen]);
        caption.insert(chosen, 1, '&');
    }
    return result;
}

std::vector<bool> ReduceSeparators(const std::vector<std::string>& captions,
                                   const std::vector<bool>& visible) {
    std::vector<bool> shown = visible;
    bool lastWasLine = true;  // nothing shown yet counts as a line before
    int lastLine = -1;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (!shown[i])
            continue;
        const bool line = captions[i] == "-";
        if (line && lastWasLine) {
            shown[i] = false;
            continue;
        }
        lastWasLine = line;
        lastLine = line ? static_cast<int>(i) : -1;
    }
    if (lastLine >= 0)
        shown[static_cast<std::size_t>(lastLine)] = false;
    return shown;
}

}  // namespace nimbra
