#include "base/Locale.h"
#include "help/HelpUtilsEx.h"

namespace nimbra {

namespace {

constexpr std::string_view kHintProperty = "Hint";
constexpr std::string_view kParentProperty = "Parent";
constexpr std::string_view kHelpContextProperty = "HelpContextEx";

std::string StringProperty(const TComponent& component, std::string_view name) {
    const TPropInfo* prop = component.ClassInfo().FindProperty(name);
    return prop != nullptr && prop->Kind() == TTypeKind::tkString ? GetStrProp(component, *prop)
                                                                  : std::string();
}

// Controls go up to their parent; other components to their owner.
const TComponent* Up(const TComponent& component) {
    const TPropInfo* parent = component.ClassInfo().FindProperty(kParentProperty);
    if (parent == nullptr || parent->Kind() != TTypeKind::tkClass)
        return component.Owner();
    return dynamic_cast<const TComponent*>(GetObjectProp(component, *parent));
}

// From `from` upwards, the first component whose hint names something: not
// empty and not only a status-bar text ("|...").
const TComponent* HintHolder(const TComponent* from, std::string& hint) {
    for (const TComponent* c = from; c != nullptr; c = Up(*c)) {
        hint = StringProperty(*c, kHintProperty);
        if (!hint.empty() && hint.front() != '|')
            return c;
    }
    return nullptr;
}

// The topic a hint names for `start`: the section "[start's name]" of the
// hint if it has one, else the hint's own part before any section; of that,
// the long part after "|".
std::string TopicOfHint(std::string_view hint, const TComponent* holder, const TComponent* start) {
    if (holder != start && start != nullptr && !start->Name().empty()) {
        const std::string marker = "\r\n[" + start->Name() + "]\r\n";
        if (const std::size_t at = hint.find(marker); at != std::string_view::npos)
            hint = hint.substr(at + marker.size());
    }
    // A section ends at the next one; the hint's own part ends at the first.
    hint = hint.substr(0, hint.find("\r\n["));
    if (const std::size_t bar = hint.find('|'); bar != std::string_view::npos)
        hint = hint.substr(bar + 1);
    return std::string(hint);
}

}  // namespace

std::string ContextTopicOf(const TComponent* control) {
    std::string hint;
    const TComponent* holder = HintHolder(control, hint);
    return holder == nullptr ? std::string(kRootTopic) : TopicOfHint(hint, holder, control);
}

// ---- TContextHelpEx ---------------------------------------------------------

const TClassInfo& TContextHelpEx::StaticClassInfo() {
    using T = TContextHelpEx;
    static const TClassInfo info(
        "TContextHelpEx", &TComponent::StaticClassInfo(),
        {Published("AppHelp", &T::AppHelp, &T::SetAppHelp),
         Published("ShowContextHelp", &T::ShowContextHelp, &T::SetShowContextHelp, true)});
    return info;
}

TContextHelpEx::TContextHelpEx(TComponent* owner)
    : TComponent(owner), appHelp_(std::make_unique<TStringList>()) {
    // A change at run time puts the new lines in place of the old.
    appHelp_->OnChange = [this](TStrings&) {
        if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDesigning))
            MergeHelp();
    };
}

TContextHelpEx::~TContextHelpEx() {
    HelpStore().Remove(this);
}

void TContextHelpEx::SetAppHelp(TStrings* value) {
    if (value != nullptr && value != appHelp_.get())
        appHelp_->Assign(*value);
}

void TContextHelpEx::MergeHelp() {
    HelpStore().Merge(this, appHelp_->ToVector());
}

void TContextHelpEx::Loaded() {
    TComponent::Loaded();
    if (!ComponentState().Contains(csDesigning))
        MergeHelp();
}

void TContextHelpEx::ReplaceTopicHeader(const std::string& oldHeader,
                                        const std::string& newHeader) {
    const int old = appHelp_->IndexOf(oldHeader);
    if (old < 0)
        return;
    appHelp_->BeginUpdate();
    if (const int existing = appHelp_->IndexOf(newHeader); existing >= 0 && existing != old)
        appHelp_->SetStrings(existing, "[Removed: " + newHeader + "]");
    appHelp_->SetStrings(old, newHeader);
    appHelp_->EndUpdate();
}

std::string TContextHelpEx::FocusedTopicOf(const TComponent* control) {
    std::string hint;
    for (const TComponent* holder = HintHolder(control, hint); holder != nullptr;
         holder = HintHolder(Up(*holder), hint)) {
        std::string topic = TopicOfHint(hint, holder, control);
        if (topic.size() >= kRootTopic.size() &&
            AnsiSameText(std::string_view(topic).substr(0, kRootTopic.size()), kRootTopic)) {
            return topic;
        }
    }
    if (OnNeedContext) {
        std::string topic = OnNeedContext(*this, control);
        if (!topic.empty())
            return topic;
    }
    return ContextTopicOf(Owner());
}

std::string TContextHelpEx::MenuItemTopicOf(const TComponent& item, const TComponent* menu) {
    for (const TComponent* c = &item; c != nullptr; c = Up(*c)) {
        const std::string hint = StringProperty(*c, kHintProperty);
        if (hint.starts_with('!'))
            return hint.substr(0, hint.find('|'));
        // A menu item's parent is an item; the menu itself is not one.
        if (c->ClassInfo().FindProperty(kParentProperty) == nullptr)
            break;
    }
    if (menu != nullptr) {
        std::string topic = StringProperty(*menu, kHelpContextProperty);
        if (!topic.empty())
            return topic;
    }
    return OnNeedMenuItemContext ? OnNeedMenuItemContext(*this, &item) : std::string();
}

namespace {

THelpViewer& InstalledHelpViewer() {
    static THelpViewer viewer;
    return viewer;
}

}  // namespace

void SetHelpViewer(THelpViewer viewer) {
    InstalledHelpViewer() = std::move(viewer);
}

bool HasHelpViewer() {
    return static_cast<bool>(InstalledHelpViewer());
}

bool ShowHelp(const std::string& key) {
    const THelpViewer& viewer = InstalledHelpViewer();
    return viewer && viewer(key);
}

}  // namespace nimbra
