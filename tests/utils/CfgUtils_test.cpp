#include "utils/CfgUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "folders/NimbraFoldersCfg.h"
#include "support/TestAppKey.h"
#include "utils/ConfigUtils.h"
#include "utils/CustomFolderBrowserCfg.h"
#include "utils/NimbraCfg.h"

namespace nimbra {
namespace {

using testing_support::GlobalAppIniOverride;

// ---- the manager's order of work, seen through a recording manager -------------

std::vector<std::string>* journal = nullptr;

class TRecordingObject : public TCommonCfgObject {
  public:
    using TCommonCfgObject::TCommonCfgObject;
    int Value = 0;
    void AfterLoad() override { journal->push_back("AfterLoad"); }
    void BeforeSave() override { journal->push_back("BeforeSave"); }
    void SetDefaults() override { journal->push_back("SetDefaults"); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(
            typeid(TRecordingObject), "TRecordingObject", &TCommonCfgObject::StaticClassInfo(),
            {Published("Value", &TRecordingObject::Value, &TRecordingObject::Value, 0)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TRecordingManager : public TCommonCfgManager {
  public:
    explicit TRecordingManager(bool exists) : TCommonCfgManager("Recorded"), exists_(exists) {}
    TRecordingObject* Obj() const { return obj_.get(); }
    int Plain = 0;
    void BeforeLoad() override { journal->push_back("BeforeLoad"); }
    bool ConfigExists() override { return exists_; }
    void AfterDefaults() override { journal->push_back("AfterDefaults"); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info(
            typeid(TRecordingManager), "TRecordingManager", &TCommonCfgManager::StaticClassInfo(),
            {Published("Obj", &TRecordingManager::Obj, nullptr),
             Published("Plain", &TRecordingManager::Plain, &TRecordingManager::Plain, 0)});
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  private:
    bool exists_;
    std::unique_ptr<TRecordingObject> obj_ = std::make_unique<TRecordingObject>(this);
};

class CfgManagerTest : public testing::Test {
  protected:
    CfgManagerTest() { journal = &events; }
    ~CfgManagerTest() override { journal = nullptr; }
    GlobalAppIniOverride store;
    std::vector<std::string> events;
};

TEST_F(CfgManagerTest, LoadWithStoredSettingsLoadsThenCallsAfterLoad) {
    AppIni().WriteString("Recorded", "Obj.Value", "12");
    AppIni().WriteString("Recorded", "Plain", "3");
    TRecordingManager manager(true);
    EXPECT_FALSE(manager.Stored());
    manager.Load();
    EXPECT_TRUE(manager.Stored());
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeLoad", "AfterLoad"}));
    EXPECT_EQ(manager.Obj()->Value, 12);
    EXPECT_EQ(manager.Plain, 3);
}

TEST_F(CfgManagerTest, LoadWithoutStoredSettingsSetsDefaultsAndSavesThem) {
    AppIni().WriteString("Recorded", "Obj.Value", "12");
    TRecordingManager manager(false);
    manager.Plain = 4;
    manager.Load();
    EXPECT_FALSE(manager.Stored());
    EXPECT_EQ(events,
              (std::vector<std::string>{"BeforeLoad", "SetDefaults", "AfterLoad", "AfterDefaults",
                                        "BeforeSave", "AfterDefaults", "AfterDefaults"}));
    EXPECT_EQ(manager.Obj()->Value, 0);  // not read
    EXPECT_EQ(AppIni().ReadString("Recorded", "Obj.Value", "<none>"), "<none>");
    EXPECT_EQ(AppIni().ReadString("Recorded", "Plain", "<none>"), "4");
}

TEST_F(CfgManagerTest, OneNamedPropertyIgnoringCase) {
    AppIni().WriteString("Recorded", "Obj.Value", "12");
    AppIni().WriteString("Recorded", "Plain", "3");
    TRecordingManager manager(true);
    manager.Load("obj");
    EXPECT_EQ(manager.Obj()->Value, 12);
    EXPECT_EQ(manager.Plain, 0);
    events.clear();
    manager.Plain = 9;
    manager.Obj()->Value = 5;
    manager.Save("PLAIN");
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(AppIni().ReadString("Recorded", "Plain", ""), "9");
    EXPECT_EQ(AppIni().ReadString("Recorded", "Obj.Value", ""), "12");
}

TEST_F(CfgManagerTest, AnObjectSavesItselfAloneAndAForeignObjectIsAnError) {
    TRecordingManager manager(true);
    manager.Obj()->Save();  // before any Load nothing counts as stored
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeSave", "AfterDefaults"}));
    manager.Load();
    events.clear();
    manager.Plain = 9;
    manager.Obj()->Value = 5;
    manager.Obj()->Save();
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeSave"}));
    EXPECT_EQ(AppIni().ReadString("Recorded", "Obj.Value", ""), "5");
    EXPECT_FALSE(AppIni().ValueExists("Recorded", "Plain"));

    TRecordingManager other(true);
    try {
        manager.SaveObject(*other.Obj());
        FAIL() << "saving a foreign object must fail";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Assertion failure", 0), 0u) << e.what();
    }
}

// ---- the program's configuration ---------------------------------------------------

class NimbraCfgTest : public testing::Test {
  protected:
    std::string Stored(const std::string& ident) {
        return AppIni().ReadString("Options", ident, "<none>");
    }
    GlobalAppIniOverride store;
};

TEST_F(NimbraCfgTest, OnlyValuesDifferentFromTheDefaultAreStored) {
    TNimbraCfg cfg;
    cfg.ShellCfg()->SetAnimateMinimize(false);
    cfg.CustomBrowserCfg()->SetPath("C:\\Tools\\browse.exe");
    cfg.Save();
    EXPECT_EQ(Stored("ShellCfg.AnimateMinimize"), "False");
    EXPECT_EQ(Stored("ShellCfg.AnimateRestore"), "<none>");
    EXPECT_EQ(Stored("CustomBrowserCfg.Path"), "C:\\Tools\\browse.exe");
    EXPECT_EQ(Stored("CustomBrowserCfg.CmdLine"), "<none>");

    cfg.ShellCfg()->SetAnimateMinimize(true);
    cfg.CustomBrowserCfg()->SetPath("");
    cfg.Save();
    EXPECT_EQ(Stored("ShellCfg.AnimateMinimize"), "<none>");
    EXPECT_EQ(Stored("CustomBrowserCfg.Path"), "<none>");
}

TEST_F(NimbraCfgTest, SavingTheFoldersObjectStoresNoOptionsButRunsItsSave) {
    TNimbraCfg cfg;
    cfg.ShellCfg()->SetShowSplash(false);
    cfg.Save("FoldersCfg");
    EXPECT_FALSE(AppIni().SectionExists("Options"));
    EXPECT_TRUE(AppIni().ValueExists("Nimbra\\Folders", "Folders.Count"));
}

TEST_F(NimbraCfgTest, WritingAnObjectPropertyCopiesTheSettingsIntoTheHeldObject) {
    TNimbraCfg cfg;
    TNimbraShellCfg edited(&cfg);
    edited.SetAnimateMinimize(false);
    edited.SetAnimateRestore(false);
    edited.SetShowSplash(false);
    TNimbraShellCfg* held = cfg.ShellCfg();
    SetObjectProp(cfg, GetPropInfo(cfg, "ShellCfg"), &edited);
    EXPECT_EQ(cfg.ShellCfg(), held);
    EXPECT_FALSE(held->AnimateMinimize());
    EXPECT_FALSE(held->AnimateRestore());
    EXPECT_FALSE(held->ShowSplash());
}

TEST_F(NimbraCfgTest, TheFirstConfigurationIsTheGlobalOne) {
    ASSERT_EQ(AppCfg, nullptr);
    {
        TNimbraCfg first;
        EXPECT_EQ(AppCfg, &first);
        EXPECT_EQ(ShellCfg, first.ShellCfg());
        EXPECT_EQ(FoldersCfg, first.FoldersCfg());
        EXPECT_EQ(CustomBrowserCfg, first.CustomBrowserCfg());
        {
            TNimbraCfg second;
            EXPECT_EQ(AppCfg, &first);
            EXPECT_EQ(ShellCfg, first.ShellCfg());
        }
        EXPECT_EQ(ShellCfg, first.ShellCfg());
    }
    EXPECT_EQ(AppCfg, nullptr);
    EXPECT_EQ(ShellCfg, nullptr);
    EXPECT_EQ(FoldersCfg, nullptr);
    EXPECT_EQ(CustomBrowserCfg, nullptr);
}

TEST_F(NimbraCfgTest, AnEmptyStoreWritesNothingAndSettingsSurviveARestart) {
    {
        TNimbraCfg cfg;
        cfg.Load();
        EXPECT_FALSE(AppIni().SectionExists("Options"));
        EXPECT_FALSE(AppIni().SectionExists("Nimbra"));
        cfg.ShellCfg()->SetAnimateRestore(false);
        cfg.CustomBrowserCfg()->SetCmdLine("/e,%path%");
        cfg.Save();
    }
    AppIni().Close();
    TNimbraCfg restarted;
    restarted.Load();
    EXPECT_FALSE(restarted.ShellCfg()->AnimateRestore());
    EXPECT_TRUE(restarted.ShellCfg()->AnimateMinimize());
    EXPECT_EQ(restarted.CustomBrowserCfg()->CmdLine(), "/e,%path%");
}

}  // namespace
}  // namespace nimbra
