#include "shortcuts/AppShortcuts.h"

#include "shortcuts/HotKeyReceiver.h"
#include "utils/ConfigUtils.h"
#include "utils/NewLangUtils.h"

namespace nimbra {

namespace {

constexpr std::string_view kEnabledSuffix = ".Enabled";
constexpr std::string_view kShortCutSuffix = ".ShortCut";

// The program's instances: the first of each kind created, until it goes.
TAppShortCutsManager* programManager = nullptr;
TAppShortCutsCfg* programCfg = nullptr;
TAppShortCutsLocalizer* programLocalizer = nullptr;

template <class T>
void Claim(T*& slot, T* instance) {
    if (slot == nullptr)
        slot = instance;
}

template <class T>
void Release(T*& slot, const T* instance) {
    if (slot == instance)
        slot = nullptr;
}

void LanguageChanged(TGlobalLocalizer&) {
    TAppShortCutsLocalizer::Localize();
}

const std::string kSection(kAppShortCutsSection);

}  // namespace

// ---- TAppShortCut -----------------------------------------------------------------

const TClassInfo& TAppShortCut::StaticClassInfo() {
    using T = TAppShortCut;
    static const TClassInfo info(typeid(TAppShortCut), "TAppShortCut",
                                 &TCollectionItem::StaticClassInfo(),
                                 {Published("Enabled", &T::Enabled, &T::SetEnabled),
                                  Published("Title", &T::Title, &T::SetTitle),
                                  Published("Description", &T::Description, &T::SetDescription),
                                  Published("ShortCut", &T::ShortCut, &T::SetShortCut)});
    return info;
}

TAppShortCut::TAppShortCut(TCollection* collection) : TCollectionItem(collection) {}

TAppShortCut::~TAppShortCut() {
    destroying_ = true;
    Unregister();
    SetAction(nullptr);
}

TAppShortCut* TAppShortCut::CreateEx(const std::string& title, bool enabled, TBasicAction* action,
                                     TShortCut defaultShortCut, const std::string& description) {
    TAppShortCutsManager* manager = AppShortCutsManager();
    if (manager == nullptr)
        throw Exception("The shortcut \"" + title + "\" has no shortcut manager to belong to.");
    TAppShortCut* item = manager->Items().Add();
    item->title_ = title;
    item->enabled_ = enabled;
    item->SetAction(action);
    item->shortCut_ = defaultShortCut;
    item->description_ = description;
    item->descriptionTemplate_ = description;
    item->Activate();
    return item;
}

void TAppShortCut::Activate() {
    active_ = true;
    LoadSettings();
    Register();
}

void TAppShortCut::LoadSettings() {
    enabled_ = AppIni().ReadBool(kSection, SettingIdent(kEnabledSuffix), enabled_);
    // Whatever is stored is taken as it is; only its low 16 bits fit.
    shortCut_ = static_cast<TShortCut>(
        AppIni().ReadInteger(kSection, SettingIdent(kShortCutSuffix), shortCut_));
}

void TAppShortCut::StoreSettings() const {
    AppIni().WriteBool(kSection, SettingIdent(kEnabledSuffix), enabled_);
    AppIni().WriteInteger(kSection, SettingIdent(kShortCutSuffix), shortCut_);
}

void TAppShortCut::SetEnabled(bool value) {
    SetEnabledShortCut(value, shortCut_);
}

void TAppShortCut::SetShortCut(TShortCut value) {
    SetEnabledShortCut(enabled_, value);
}

void TAppShortCut::SetEnabledShortCut(bool enabled, TShortCut shortCut) {
    if (enabled == enabled_ && shortCut == shortCut_)
        return;
    enabled_ = enabled;
    shortCut_ = shortCut;
    Changed();
}

void TAppShortCut::Changed() {
    if (active_) {
        StoreSettings();
        Unregister();
        Register();
    }
    TCollectionItem::Changed(false);
}

TAppShortCutsManager* TAppShortCut::Manager() const {
    const auto* items = dynamic_cast<const TAppShortCuts*>(Collection());
    return items != nullptr ? items->Manager() : nullptr;
}

void TAppShortCut::Register() {
    TAppShortCutsManager* manager = Manager();
    if (!active_ || manager == nullptr)
        return;
    manager->RegisterItem(*this);
    if (enabled_) {
        if (auto* action = dynamic_cast<TAction*>(action_))
            action->SetShortCut(shortCut_);
    }
}

void TAppShortCut::Unregister() {
    TAppShortCutsManager* manager = Manager();
    if (!active_ || manager == nullptr)
        return;
    manager->UnregisterItem(*this);
    if (!destroying_) {
        if (auto* action = dynamic_cast<TAction*>(action_))
            action->SetShortCut(0);
    }
}

void TAppShortCut::SetAction(TBasicAction* action) {
    if (action == action_)
        return;
    if (action_ != nullptr)
        action_->UnregisterClient(this);
    action_ = action;
    if (action_ != nullptr)
        action_->RegisterClient(this);
}

// The action goes first at the end of a run (its window is freed before the
// manager): the item must not run or touch it afterwards.
void TAppShortCut::ActionDestroying(TBasicAction& action) {
    if (&action == action_)
        action_ = nullptr;
}

void TAppShortCut::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TAppShortCut*>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    title_ = other->title_;
    description_ = other->description_;
    shortCut_ = other->shortCut_;
    enabled_ = other->enabled_;
    SetAction(other->action_);
    OnExecute = other->OnExecute;
}

// ---- TAppShortCuts --------------------------------------------------------------

const TClassInfo& TAppShortCuts::StaticClassInfo() {
    static const TClassInfo info(typeid(TAppShortCuts), "TAppShortCuts",
                                 &TCollection::StaticClassInfo());
    return info;
}

TAppShortCut* TAppShortCuts::FindTitle(std::string_view title) const {
    for (int i = 0; i < Count(); ++i) {
        if (Items(i)->Title() == title)
            return Items(i);
    }
    return nullptr;
}

// ---- TAppShortCutsManager -------------------------------------------------------

TAppShortCutsManager::TAppShortCutsManager()
    : items_(std::make_unique<TAppShortCuts>()),
      receiver_(std::make_unique<THotKeyReceiver>([this](int id) { HotKeyPressed(id); })) {
    items_->manager_ = this;
    Claim(programManager, this);
}

TAppShortCutsManager::~TAppShortCutsManager() {
    Release(programManager, this);
    receiver_.reset();
    // Views hear nothing from a manager that is going away. The items go
    // while the collection is whole: each unregisters through it.
    items_->OnUpdate = nullptr;
    items_->Clear();
}

// The item's collection ID is its identity: unique among the live items and
// never reused while the manager lives. (Windows takes identifiers up to
// 0xBFFF from programs; the program makes one item per run.)
void TAppShortCutsManager::RegisterItem(TAppShortCut& item) {
    item.registered_ = false;
    if (item.Enabled() && receiver_)
        item.registered_ = receiver_->Register(item.ID(), item.ShortCut());
}

void TAppShortCutsManager::UnregisterItem(TAppShortCut& item) {
    item.registered_ = false;
    if (receiver_)
        receiver_->Unregister(item.ID());
}

void TAppShortCutsManager::Dispatch(TAppShortCut& item) {
    if (item.Action() != nullptr) {
        item.Action()->Execute();
    } else if (item.OnExecute) {
        item.OnExecute(item);
    }
}

void TAppShortCutsManager::HotKeyPressed(int id) {
    if (auto* item = static_cast<TAppShortCut*>(items_->FindItemID(id)))
        Dispatch(*item);
}

TAppShortCutsManager* AppShortCutsManager() {
    return programManager;
}

// ---- TAppShortCutsCfg -----------------------------------------------------------

TAppShortCutsCfg::TAppShortCutsCfg() {
    Claim(programCfg, this);
}

TAppShortCutsCfg::~TAppShortCutsCfg() {
    Release(programCfg, this);
}

void TAppShortCutsCfg::LoadFromManager() {
    if (const TAppShortCutsManager* manager = AppShortCutsManager())
        shortCuts_.Assign(manager->Items());
    else
        shortCuts_.Clear();
}

void TAppShortCutsCfg::Assign(const TAppShortCuts& source) {
    shortCuts_.Assign(source);
}

void TAppShortCutsCfg::Apply() {
    TAppShortCutsManager* manager = AppShortCutsManager();
    if (manager == nullptr)
        return;
    for (int i = 0; i < shortCuts_.Count(); ++i) {
        const TAppShortCut& copy = *shortCuts_.Items(i);
        if (TAppShortCut* live = manager->Items().FindTitle(copy.Title()))
            live->SetEnabledShortCut(copy.Enabled(), copy.ShortCut());
    }
}

TAppShortCutsCfg* AppShortCutsCfg() {
    return programCfg;
}

// ---- TAppShortCutsLocalizer -----------------------------------------------------

TAppShortCutsLocalizer::TAppShortCutsLocalizer() {
    if (programLocalizer == nullptr) {
        programLocalizer = this;
        RegisterLanguageListener(&LanguageChanged);
    }
}

TAppShortCutsLocalizer::~TAppShortCutsLocalizer() {
    if (programLocalizer == this) {
        UnregisterLanguageListener(&LanguageChanged);
        programLocalizer = nullptr;
    }
}

void TAppShortCutsLocalizer::Localize() {
    TAppShortCutsManager* manager = AppShortCutsManager();
    if (manager == nullptr)
        return;
    TAppShortCuts& items = manager->Items();
    for (int i = 0; i < items.Count(); ++i) {
        TAppShortCut& item = *items.Items(i);
        item.SetDescription(GetLocalizedString(kKeyboardShortcutsSection, item.Title(),
                                               item.DescriptionTemplate()));
        if (item.OnLocalize())
            item.OnLocalize()(item);
    }
}

TAppShortCutsLocalizer* AppShortCutsLocalizer() {
    return programLocalizer;
}

}  // namespace nimbra
