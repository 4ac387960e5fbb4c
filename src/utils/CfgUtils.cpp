#include "utils/CfgUtils.h"

#include "base/Locale.h"
#include "utils/ConfigPropUtils.h"
#include "utils/ConfigUtils.h"

namespace nimbra {

TCommonAppCfg* AppCfg = nullptr;

void BindToAppIni(TPropsStorage& storage) {
    storage.OnReadString = [](TPropsStorage&, const std::string& section, const std::string& ident,
                              const std::string& defaultValue) {
        return AppIni().ReadString(section, ident, defaultValue);
    };
    storage.OnWriteString = [](TPropsStorage&, const std::string& section, const std::string& ident,
                               const std::string& value) {
        AppIni().WriteString(section, ident, value);
    };
    storage.OnEraseSection = [](TPropsStorage&, const std::string& section) {
        AppIni().EraseSection(section);
    };
    storage.OnDeleteKey = [](TPropsStorage&, const std::string& section, const std::string& ident) {
        AppIni().DeleteKey(section, ident);
    };
}

// ---- TCommonCfgManager ---------------------------------------------------------

const TClassInfo& TCommonCfgManager::StaticClassInfo() {
    static const TClassInfo info(typeid(TCommonCfgManager), "TCommonCfgManager",
                                 &TPersistent::StaticClassInfo());
    return info;
}

TCommonCfgManager::TCommonCfgManager(std::string section) : section_(std::move(section)) {}

void TCommonCfgManager::ProcessProps(TPersistent& instance, bool save, const std::string& propName,
                                     const std::string& section) {
    TPropsStorage storage;
    storage.Section = section;
    storage.AObject = &instance;
    BindToAppIni(storage);
    const TPropInfoList props(instance);
    for (int i = 0; i < props.Count(); ++i) {
        const TPropInfo& prop = props.Items(i);
        if (!propName.empty() && !SameText(prop.Name, propName))
            continue;
        auto* object = prop.Kind() == TTypeKind::tkClass
                           ? dynamic_cast<TCommonCfgObject*>(GetObjectProp(instance, prop))
                           : nullptr;
        if (save) {
            if (object != nullptr)
                object->BeforeSave();
            storage.StoreAnyProperty(prop);
            if (!stored_)
                AfterDefaults();
        } else {
            if (object != nullptr && !stored_) {
                object->SetDefaults();
            } else {
                storage.LoadAnyProperty(prop);
            }
            if (object != nullptr)
                object->AfterLoad();
        }
    }
}

void TCommonCfgManager::Load(const std::string& propName) {
    BeforeLoad();
    stored_ = ConfigExists();
    ProcessProps(*this, false, propName, section_);
    if (!stored_) {
        AfterDefaults();
        Save();  // the defaults are written at once
    }
}

void TCommonCfgManager::Save(const std::string& propName) {
    ProcessProps(*this, true, propName, section_);
}

void TCommonCfgManager::SaveObject(const TCommonCfgObject& object) {
    for (const TPropInfo* prop : PublishedClassInfo(*this).Properties()) {
        if (prop->Kind() == TTypeKind::tkClass && GetObjectProp(*this, *prop) == &object) {
            Save(prop->Name);
            return;
        }
    }
    throw EAssertionFailed("Assertion failure (CfgUtils.cpp, line " + std::to_string(__LINE__) +
                           "): the object belongs to no property of " + ClassName());
}

// ---- TCommonCfgObject ------------------------------------------------------------

const TClassInfo& TCommonCfgObject::StaticClassInfo() {
    static const TClassInfo info(typeid(TCommonCfgObject), "TCommonCfgObject",
                                 &TPersistent::StaticClassInfo());
    return info;
}

void TCommonCfgObject::Save() {
    manager_->SaveObject(*this);
}

// ---- TCommonAppCfg ---------------------------------------------------------------

const TClassInfo& TCommonAppCfg::StaticClassInfo() {
    static const TClassInfo info(typeid(TCommonAppCfg), "TCommonAppCfg",
                                 &TCommonCfgManager::StaticClassInfo());
    return info;
}

TCommonAppCfg::TCommonAppCfg(std::string section) : TCommonCfgManager(std::move(section)) {
    if (AppCfg == nullptr)
        AppCfg = this;
}

TCommonAppCfg::~TCommonAppCfg() {
    if (AppCfg == this)
        AppCfg = nullptr;
}

}  // namespace nimbra
