#include "folders/NimbraFoldersCfg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "folders/NimbraCustomFolders.h"
#include "support/DescribeFolders.h"
#include "support/ScopedTextLookup.h"
#include "support/TestAppKey.h"
#include "support/TestFolders.h"
#include "utils/ConfigUtils.h"
#include "utils/NimbraCfg.h"

namespace nimbra {
namespace {

using testing_support::DescribeFolders;
using testing_support::GlobalAppIniOverride;
using testing_support::ScopedTextLookup;
using testing_support::ShellFolderOverride;

constexpr char kFolders[] = "Nimbra\\Folders";
constexpr char kItems[] = "Nimbra\\Folders.Folders";
constexpr char kBackup[] = "Nimbra\\FoldersBackup";

const std::vector<std::string> kDefaultList = {
    "&Start Menu + shell:sfStartMenu shell:sfCommonStartMenu", "&Desktop + shell:sfDesktop",
    "&Recent Files + shell:sfRecent"};

// Every value of the list stored below `root` with entries 0 and 3, as
// "section|name=value" with the section named from the root on.
std::vector<std::string> Values(const std::string& root) {
    std::vector<std::string> lines;
    for (const std::string suffix :
         {"", ".Folders", ".Folders.Item0.Paths", ".Folders.Item3.Paths"}) {
        TStringList values;
        AppIni().ReadSectionValues(root + suffix, values);
        for (const std::string& line : values.ToVector())
            lines.push_back("root" + suffix + "|" + line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

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
        return DescribeFolders(folders);
    }

    GlobalAppIniOverride store;
    ShellFolderOverride shell{
        {{sfStartMenu, "S"}, {sfCommonStartMenu, "CS"}, {sfDesktop, "D"}, {sfRecent, "R"}}};
};

TEST_F(FoldersCfgTest, AFreshProfileHasTheDefaultsAndTheSwitchesAreWrittenAtOnce) {
    {
        auto cfg = Start();
        EXPECT_EQ(DescribeFolders(*cfg->FoldersCfg()->Folders()), kDefaultList);
        EXPECT_TRUE(cfg->FoldersCfg()->AutoScroll());
        EXPECT_FALSE(cfg->FoldersCfg()->AutoMinimize());
        EXPECT_FALSE(AppIni().SectionExists("Nimbra"));
        cfg->FoldersCfg()->SetAutoScroll(false);
        cfg->FoldersCfg()->SetAutoMinimize(true);
    }
    auto restarted = Start();
    EXPECT_FALSE(restarted->FoldersCfg()->AutoScroll());
    EXPECT_TRUE(restarted->FoldersCfg()->AutoMinimize());
}

TEST_F(FoldersCfgTest, TheListSurvivesARestartInTheCollectionForm) {
    const std::vector<std::string> saved = SaveEditedList();
    EXPECT_EQ(Values(kFolders),
              (std::vector<std::string>{
                  "root.Folders.Item0.Paths|Item0..PathType=ptShell",
                  "root.Folders.Item0.Paths|Item0..ShellFolder=sfStartMenu",
                  "root.Folders.Item0.Paths|Item1..PathType=ptShell",
                  "root.Folders.Item0.Paths|Item1..ShellFolder=sfCommonStartMenu",
                  "root.Folders.Item3.Paths|Item0..Path=C:\\Work",
                  "root.Folders.Item3.Paths|Item1..PathType=ptShell",
                  "root.Folders.Item3.Paths|Item1..ShellFolder=sfPersonal",
                  "root.Folders|Item0.Paths.Count=2", "root.Folders|Item1..Include=False",
                  "root.Folders|Item1.Paths.Count=1", "root.Folders|Item2..Separator=True",
                  "root.Folders|Item2.Paths.Count=0", "root.Folders|Item3..Title=&Work",
                  "root.Folders|Item3.Paths.Count=2", "root|Complete=4", "root|Folders.Count=4"}));
    EXPECT_EQ(DescribeFolders(*Start()->FoldersCfg()->Folders()), saved);
}

TEST_F(FoldersCfgTest, AnEmptyListAndALongListSurviveARestart) {
    for (const int entries : {0, 300}) {
        auto cfg = Start();
        TCustomFolders& folders = *cfg->FoldersCfg()->Folders();
        folders.Clear();
        for (int i = 0; i < entries; ++i)
            folders.Add()->Paths()->AddDisk("C:\\" + std::to_string(i));
        for (int p = 0; entries > 0 && p < 100; ++p)
            folders.Items(0)->Paths()->AddShell(sfDesktop);
        cfg->Save();
        EXPECT_EQ(DescribeFolders(*Start()->FoldersCfg()->Folders()), DescribeFolders(folders));
    }
}

TEST_F(FoldersCfgTest, AListTooLongToStoreIsRefusedAndTheStoredOneStays) {
    const std::vector<std::string> saved = SaveEditedList();
    auto cfg = Start();
    TCustomFolder* folder = cfg->FoldersCfg()->Folders()->Items(0);
    for (int p = 0; p <= kMaxStoredPaths; ++p)
        folder->Paths()->AddShell(sfDesktop);
    EXPECT_THROW(cfg->FoldersCfg()->Save(), Exception);
    EXPECT_EQ(DescribeFolders(*Start()->FoldersCfg()->Folders()), saved);
}

TEST_F(FoldersCfgTest, DefaultTitlesAreStoredAsNoneAndFollowTheLanguage) {
    std::optional<ScopedTextLookup> german(
        std::in_place,
        ScopedTextLookup::Texts{{{"SysFolders", "sfStartMenu"}, "Startmen\xC3\xBC"}});
    Start()->FoldersCfg()->Save();
    EXPECT_FALSE(AppIni().ValueExists(kItems, "Item0..Title"));
    // As an earlier version left it: the English default as literal text.
    AppIni().WriteString(kItems, "Item0..Title", "&Start Menu");
    auto restarted = Start();
    EXPECT_EQ(restarted->FoldersCfg()->Folders()->Items(0)->Title(), "&Startmen\xC3\xBC");
    german.reset();
    EXPECT_EQ(DescribeFolders(*restarted->FoldersCfg()->Folders()), kDefaultList);
}

struct DamageCase {
    const char* name;
    std::function<void()> damage;
};

class FoldersCfgDamageTest : public FoldersCfgTest,
                             public testing::WithParamInterface<DamageCase> {};

TEST_P(FoldersCfgDamageTest, GivesTheDefaultListAndKeepsTheStoredOneAsABackup) {
    SaveEditedList();
    AppIni().WriteString("Nimbra\\FoldersBackup.Folders", "Item9.Paths.Count", "1");
    AppIni().WriteString("Nimbra\\FoldersBackup.Folders.Item9.Paths", "Item0..Path", "older");
    GetParam().damage();
    const std::vector<std::string> damaged = Values(kFolders);
    auto cfg = Start();
    EXPECT_EQ(DescribeFolders(*cfg->FoldersCfg()->Folders()), kDefaultList);
    EXPECT_EQ(Values(kBackup), damaged);
    EXPECT_FALSE(AppIni().SectionExists("Nimbra\\FoldersBackup.Folders.Item9.Paths"));
    cfg->FoldersCfg()->Save();
    EXPECT_EQ(Values(kBackup), damaged);
}

void Write(const char* section, const char* ident, const char* value) {
    AppIni().WriteString(section, ident, value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FoldersCfgDamageTest,
    testing::Values(
        DamageCase{"UnfinishedSave", [] { AppIni().DeleteKey(kFolders, "Complete"); }},
        DamageCase{"CountMissing", [] { AppIni().DeleteKey(kFolders, "Folders.Count"); }},
        DamageCase{"CountNotANumber", [] { Write(kFolders, "Folders.Count", "four"); }},
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
        DamageCase{"PathCountHuge", [] { Write(kItems, "Item0.Paths.Count", "9999"); }},
        DamageCase{"PathCountMissing", [] { AppIni().DeleteKey(kItems, "Item3.Paths.Count"); }},
        DamageCase{"LocationsGone",
                   [] { AppIni().EraseSection("Nimbra\\Folders.Folders.Item3.Paths"); }},
        DamageCase{
            "PathTypeUnknown",
            [] { Write("Nimbra\\Folders.Folders.Item0.Paths", "Item0..PathType", "ptNowhere"); }}),
    [](const auto& info) { return info.param.name; });

TEST_F(FoldersCfgTest, AssignCopiesTheListAndTheChangeMark) {
    auto cfg = Start();
    TNimbraFoldersCfg copy(cfg.get());
    copy.Folders()->Clear();
    copy.Folders()->Add()->SetTitle("Only");
    copy.SetFoldersChanged(true);
    TCustomFolders* held = cfg->FoldersCfg()->Folders();
    cfg->SetFoldersCfg(&copy);
    EXPECT_EQ(cfg->FoldersCfg()->Folders(), held);
    EXPECT_EQ(DescribeFolders(*held), (std::vector<std::string>{"Only +"}));
    EXPECT_NE(held->Items(0), copy.Folders()->Items(0));
    EXPECT_TRUE(cfg->FoldersCfg()->FoldersChanged());
}

}  // namespace
}  // namespace nimbra
