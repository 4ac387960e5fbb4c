#pragma once

#include <string>

#include "base/Classes.h"

namespace nimbra {

class TPropsStorage;
class TCommonCfgObject;

// Owns configuration objects as its published properties and loads or
// saves them, property by property, under one section of the settings
// store. A value equal to its declared default is never stored.
class TCommonCfgManager : public TPersistent {
  public:
    explicit TCommonCfgManager(std::string section);

    const std::string& Section() const { return section_; }
    // ConfigExists as of the last Load; False before the first.
    bool Stored() const { return stored_; }

    // Loads (or saves) the published properties of `instance`, all of them
    // or only the one named, calling the hooks of configuration objects.
    virtual void ProcessProps(TPersistent& instance, bool save, const std::string& propName,
                              const std::string& section);
    virtual void BeforeLoad() {}
    // Whether stored settings are to be read.
    virtual bool ConfigExists() { return true; }
    // Called after defaults were applied because nothing was stored.
    virtual void AfterDefaults() {}
    // All published properties, or the one named; without stored settings
    // the objects take their defaults and are saved at once.
    virtual void Load(const std::string& propName = "");
    virtual void Save(const std::string& propName = "");
    // Saves only the property that holds `object`; raises EAssertionFailed
    // when no property holds it.
    void SaveObject(const TCommonCfgObject& object);

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string section_;
    bool stored_ = false;
};

// A group of settings: its published properties are the settings, its
// constructor gives each its default (the same as the declared default).
class TCommonCfgObject : public TPersistent {
  public:
    explicit TCommonCfgObject(TCommonCfgManager* manager) : manager_(manager) {}

    TCommonCfgManager* Manager() const { return manager_; }
    // After the properties were loaded, or the defaults set; descendants
    // read settings of their own here.
    virtual void AfterLoad() {}
    // Before the properties are stored; descendants write their own here.
    virtual void BeforeSave() {}
    // Instead of loading, when the manager has nothing stored.
    virtual void SetDefaults() {}
    // Saves this object alone, through its manager.
    void Save();

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    TCommonCfgManager* manager_;
};

// The application's configuration. The first one made becomes AppCfg until
// it is destroyed.
class TCommonAppCfg : public TCommonCfgManager {
  public:
    explicit TCommonAppCfg(std::string section);
    ~TCommonAppCfg() override;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// The application configuration, or nullptr.
extern TCommonAppCfg* AppCfg;

// Points the storage's four callbacks at the global settings store.
void BindToAppIni(TPropsStorage& storage);

}  // namespace nimbra
