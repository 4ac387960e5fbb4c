#include "folders/NimbraFoldersCfg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "folders/NimbraCustomFolders.h"
#include "support/TestAppKey.h"
#include "support/TestFolders.h"
#include "utils/ConfigUtils.h"
#include "utils/NimbraCfg.h"
#include "utils/RegistryStore.h"

namespace nimbra {
namespace {

using testing_support::GlobalAppIniOverride;
using testing_support::ShellFolderOverride;

constexpr char kFolders[] = "Nimbra\\Folders";
constexpr char kItems[] = "Nimbra\\Folders.Folders";

// One line per entry: title, switches and locations.
std::vector<std::string> Describe(const TCustomFolders& folders) {
    std::vector<std::string> lines;
    for (int i = 0; i < folders.Count(); ++i) {
        const TCustomFolder* folder = folders.Items(i);
        std::string line = folder->Separator() ? "<separator>" : folder->Title();
        line += folder->Include() ? " +" : " -";
        for (int p = 0; p < folder->Paths()->Count(); ++p) {
            const TCustomFolderPath* path = folder->Paths()->Items(p);
            line +=
                path->PathType() == ptShell
                    ? " shell:" + std::string(EnumTypeInfo(sfDesktop).NameOf(path->ShellFolder()))
                    : " disk:" + path->Path();
        }
        lines.push_back(line);
    }
    return lines;
}

const std::vector<std::string> kDefaultList = {
    "&Start Menu + shell:sfStartMenu shell:sfCommonStartMenu", "&Desktop + shell:sfDesktop",
    "&Recent Files + shell:sfRecent"};

class FoldersCfgTest : public testing::Test {
  protected:
    // A fresh configuration as the program makes it at start.
    std::unique_ptr<TNimbraCfg> Start() {
        AppIni().Close();
        auto cfg = std::make_unique<TNimbraCfg>();
        cfg->Load();
        return cfg;
    }
    // Changes the list the way the dialogs do and saves the folders object.
    std::vector<std::string> SaveEditedList() {
        auto cfg = Start();
        TCustomFolders& folders = *cfg->FoldersCfg()->Folders();
        folders.Items(1)->SetInclude(false);
        folders.Delete(2);
        folders.AddSeparator();
        TCustomFolder* work = folders.Add();
        work->SetTitle("&Work");
        work->Paths()->AddDisk("C:\\Work");
        work->Paths()->AddShell(sfPersonal);
        cfg->FoldersCfg()->Save();
        return Describe(folders);
    }
    std::unique_ptr<TRegistryStore> Raw() const { return OpenRegistryStore(store.Key().KeyPath()); }

    GlobalAppIniOverride store;
    ShellFolderOverride shell{
        {{sfStartMenu, "S"}, {sfCommonStartMenu, "CS"}, {sfDesktop, "D"}, {sfRecent, "R"}}};
};

TEST_F(FoldersCfgTest, AFreshProfileHasTheDefaultListAndSwitches) {
    auto cfg = Start();
    const TNimbraFoldersCfg& folders = *cfg->FoldersCfg();
    EXPECT_EQ(Describe(*folders.Folders()), kDefaultList);
    EXPECT_TRUE(folders.AutoScroll());
    EXPECT_FALSE(folders.AutoMinimize());
    EXPECT_FALSE(folders.FoldersChanged());
    EXPECT_FALSE(AppIni().SectionExists("Nimbra"));
}

TEST_F(FoldersCfgTest, SwitchesAreWrittenAtOnceAndSurviveARestart) {
    {
        auto cfg = Start();
        cfg->FoldersCfg()->SetAutoScroll(false);
        cfg->FoldersCfg()->SetAutoMinimize(true);
        EXPECT_EQ(AppIni().ReadString("Nimbra\\Options", "AutoScroll", ""), "0");
        EXPECT_EQ(AppIni().ReadString("Nimbra\\Options", "AutoMinimize", ""), "1");
    }
    auto restarted = Start();
    EXPECT_FALSE(restarted->FoldersCfg()->AutoScroll());
    EXPECT_TRUE(restarted->FoldersCfg()->AutoMinimize());
}

TEST_F(FoldersCfgTest, TheListSurvivesARestart) {
    const std::vector<std::string> saved = SaveEditedList();
    auto restarted = Start();
    TCustomFolders* folders = restarted->FoldersCfg()->Folders();
    EXPECT_EQ(Describe(*folders), saved);
    EXPECT_EQ(folders->Items(2)->Title(), "- separator -");
}

TEST_F(FoldersCfgTest, AnEmptyListSurvivesARestart) {
    {
        auto cfg = Start();
        cfg->FoldersCfg()->Folders()->Clear();
        cfg->Save();
    }
    EXPECT_TRUE(Start()->FoldersCfg()->Folders()->Count() == 0);
}

TEST_F(FoldersCfgTest, TheListIsStoredInTheCollectionForm) {
    SaveEditedList();
    EXPECT_EQ(AppIni().ReadString(kFolders, "Folders.Count", ""), "4");
    EXPECT_EQ(AppIni().ReadString(kItems, "Item0..Title", ""), "&Start Menu");
    EXPECT_EQ(AppIni().ReadString(kItems, "Item1..Include", ""), "False");
    EXPECT_FALSE(AppIni().ValueExists(kItems, "Item0..Include"));  // the default
    EXPECT_FALSE(AppIni().ValueExists(kItems, "Item2..Title"));    // a separator's
    EXPECT_EQ(AppIni().ReadString(kItems, "Item2..Separator", ""), "True");
    EXPECT_EQ(AppIni().ReadString(kItems, "Item0.Paths.Count", ""), "2");
    EXPECT_EQ(AppIni().ReadString("Nimbra\\Folders.Folders.Item0.Paths", "Item1..ShellFolder", ""),
              "sfCommonStartMenu");
    EXPECT_EQ(AppIni().ReadString("Nimbra\\Folders.Folders.Item3.Paths", "Item0..Path", ""),
              "C:\\Work");
    EXPECT_FALSE(AppIni().SectionExists("Options"));
}

TEST_F(FoldersCfgTest, SavingAShorterListLeavesNoStaleEntries) {
    SaveEditedList();
    auto cfg = Start();
    while (cfg->FoldersCfg()->Folders()->Count() > 1)
        cfg->FoldersCfg()->Folders()->Delete(1);
    cfg->FoldersCfg()->Save();
    EXPECT_FALSE(AppIni().SectionExists("Nimbra\\Folders.Folders.Item3.Paths"));
    EXPECT_FALSE(AppIni().ValueExists(kItems, "Item3..Title"));
    EXPECT_EQ(Describe(*Start()->FoldersCfg()->Folders()),
              (std::vector<std::string>{kDefaultList[0]}));
}

struct DamageCase {
    const char* name;
    std::function<void()> damage;
};

class FoldersCfgDamageTest : public FoldersCfgTest,
                             public testing::WithParamInterface<DamageCase> {};

TEST_P(FoldersCfgDamageTest, ADamagedListGivesTheDefaultList) {
    SaveEditedList();
    GetParam().damage();
    EXPECT_EQ(Describe(*Start()->FoldersCfg()->Folders()), kDefaultList);
}

void Write(const char* section, const char* ident, const char* value) {
    AppIni().WriteString(section, ident, value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FoldersCfgDamageTest,
    testing::Values(
        DamageCase{"UnfinishedSave", [] { AppIni().DeleteKey(kFolders, "Complete"); }},
        DamageCase{"MarkerDisagrees", [] { Write(kFolders, "Complete", "3"); }},
        DamageCase{"CountMissing", [] { AppIni().DeleteKey(kFolders, "Folders.Count"); }},
        DamageCase{"CountNotANumber", [] { Write(kFolders, "Folders.Count", "four"); }},
        DamageCase{"CountNegative",
                   [] {
                       Write(kFolders, "Folders.Count", "-1");
                       Write(kFolders, "Complete", "-1");
                   }},
        DamageCase{"CountHuge",
                   [] {
                       Write(kFolders, "Folders.Count", "2000000000");
                       Write(kFolders, "Complete", "2000000000");
                   }},
        DamageCase{"CountAsDword",
                   [] {
                       AppIni().DeleteKey(kFolders, "Folders.Count");
                       AppIni().WriteInteger(kFolders, "Folders.Count", 4);
                   }},
        DamageCase{"EntriesGone", [] { AppIni().EraseSection(kItems); }},
        DamageCase{"PathCountHuge", [] { Write(kItems, "Item0.Paths.Count", "99999999"); }},
        DamageCase{"PathCountMissing", [] { AppIni().DeleteKey(kItems, "Item3.Paths.Count"); }},
        DamageCase{"LocationsGone",
                   [] { AppIni().EraseSection("Nimbra\\Folders.Folders.Item3.Paths"); }},
        DamageCase{
            "PathTypeUnknown",
            [] { Write("Nimbra\\Folders.Folders.Item0.Paths", "Item0..PathType", "ptNowhere"); }}),
    [](const auto& info) { return info.param.name; });

TEST_F(FoldersCfgTest, NoStoredValueCanBreakLoading) {
    SaveEditedList();
    const std::vector<std::string> junk = {"",         "-1", "2147483648", "99999999",
                                           "\x01\x02", "[",  "(null)",     std::string(5000, 'x')};
    const std::vector<std::string> sections = {kFolders, kItems,
                                               "Nimbra\\Folders.Folders.Item0.Paths",
                                               "Nimbra\\Folders.Folders.Item3.Paths"};
    for (const std::string& section : sections) {
        for (const std::string& ident : Raw()->ValueNames(section)) {
            const std::string original = AppIni().ReadString(section, ident, "");
            for (const std::string& value : junk) {
                AppIni().WriteString(section, ident, value);
                std::unique_ptr<TNimbraCfg> cfg;
                ASSERT_NO_THROW(cfg = Start()) << section << " " << ident << " = " << value;
                EXPECT_LE(cfg->FoldersCfg()->Folders()->Count(), 256);
            }
            AppIni().WriteString(section, ident, original);
        }
    }
}

TEST_F(FoldersCfgTest, AssignCopiesTheListAndTheChangeMark) {
    auto cfg = Start();
    TNimbraFoldersCfg copy(cfg.get());
    copy.Folders()->Clear();
    copy.Folders()->Add()->SetTitle("Only");
    copy.SetFoldersChanged(true);
    TCustomFolders* held = cfg->FoldersCfg()->Folders();
    cfg->SetFoldersCfg(&copy);
    EXPECT_EQ(cfg->FoldersCfg()->Folders(), held);
    EXPECT_EQ(Describe(*held), (std::vector<std::string>{"Only +"}));
    EXPECT_NE(held->Items(0), copy.Folders()->Items(0));
    EXPECT_TRUE(cfg->FoldersCfg()->FoldersChanged());
}

}  // namespace
}  // namespace nimbra
