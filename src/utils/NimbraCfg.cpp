#include "utils/NimbraCfg.h"

#include "folders/NimbraFoldersCfg.h"
#include "utils/CustomFolderBrowserCfg.h"

namespace nimbra {

TNimbraShellCfg* ShellCfg = nullptr;

namespace {

constexpr char kOptionsSection[] = "Options";

// Points the global at the object unless another configuration's object
// holds it already, so that the globals follow the application
// configuration (the first one made).
template <class T>
void Publish(T*& global, T* object) {
    if (global == nullptr)
        global = object;
}

template <class T>
void Withdraw(T*& global, const T* object) {
    if (global == object)
        global = nullptr;
}

// Copies the settings of `value` into `target`, which keeps its identity.
template <class T>
void AssignInto(T& target, const T* value) {
    if (value != nullptr && value != &target)
        target.Assign(*value);
}

}  // namespace

// ---- TNimbraShellCfg -------------------------------------------------------------

const TClassInfo& TNimbraShellCfg::StaticClassInfo() {
    using T = TNimbraShellCfg;
    static const TClassInfo info(
        typeid(TNimbraShellCfg), "TNimbraShellCfg", &TCommonCfgObject::StaticClassInfo(),
        {Published("AnimateMinimize", &T::AnimateMinimize, &T::SetAnimateMinimize, true),
         Published("AnimateRestore", &T::AnimateRestore, &T::SetAnimateRestore, true),
         Published("ShowSplash", &T::ShowSplash, &T::SetShowSplash, true)});
    return info;
}

void TNimbraShellCfg::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TNimbraShellCfg*>(&source);
    if (other == nullptr) {
        TCommonCfgObject::Assign(source);
        return;
    }
    animateMinimize_ = other->animateMinimize_;
    animateRestore_ = other->animateRestore_;
    showSplash_ = other->showSplash_;
}

// ---- TNimbraCfg --------------------------------------------------------------------

const TClassInfo& TNimbraCfg::StaticClassInfo() {
    using T = TNimbraCfg;
    static const TClassInfo info(
        typeid(TNimbraCfg), "TNimbraCfg", &TCommonAppCfg::StaticClassInfo(),
        {Published("ShellCfg", &T::ShellCfg, &T::SetShellCfg),
         Published("FoldersCfg", &T::FoldersCfg, &T::SetFoldersCfg),
         Published("CustomBrowserCfg", &T::CustomBrowserCfg, &T::SetCustomBrowserCfg)});
    return info;
}

TNimbraCfg::TNimbraCfg() : TNimbraCfg(kOptionsSection) {}

TNimbraCfg::TNimbraCfg(std::string section)
    : TCommonAppCfg(std::move(section)),
      shellCfg_(std::make_unique<TNimbraShellCfg>(this)),
      foldersCfg_(std::make_unique<TNimbraFoldersCfg>(this)),
      customBrowserCfg_(std::make_unique<TCustomFolderBrowserCfg>(this)) {
    Publish(nimbra::ShellCfg, shellCfg_.get());
    Publish(nimbra::FoldersCfg, foldersCfg_.get());
    Publish(nimbra::CustomBrowserCfg, customBrowserCfg_.get());
}

TNimbraCfg::~TNimbraCfg() {
    Withdraw(nimbra::ShellCfg, shellCfg_.get());
    Withdraw(nimbra::FoldersCfg, foldersCfg_.get());
    Withdraw(nimbra::CustomBrowserCfg, customBrowserCfg_.get());
}

void TNimbraCfg::SetShellCfg(TNimbraShellCfg* value) {
    AssignInto(*shellCfg_, value);
}

void TNimbraCfg::SetFoldersCfg(TNimbraFoldersCfg* value) {
    AssignInto(*foldersCfg_, value);
}

void TNimbraCfg::SetCustomBrowserCfg(TCustomFolderBrowserCfg* value) {
    AssignInto(*customBrowserCfg_, value);
}

}  // namespace nimbra
