// The include-folders dialogs as a user meets them: the include menu's
// "&Add folder..." and "&Customize..." in the real nimbra.exe.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/Unicode.h"
#include "e2e/NimbraDriver.h"
#include "folders/NimbraCustomFolders.h"
#include "folders/NimbraFoldersCfg.h"
#include "utils/ConfigUtils.h"
#include "utils/NimbraCfg.h"

namespace nimbra::e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kEditPath[] = "NimbraApp.NimbraFrame1.Edit1";
constexpr char kPathForm[] = "CustomFolderPathForm";
constexpr char kFoldersForm[] = "CustomFoldersForm";
constexpr char kFoldersList[] = "CustomFoldersForm.CustomFoldersEditFrame1.ListView1";
constexpr char kFolderForm[] = "CustomFolderForm";

const std::vector<std::string> kAddFolder{"&View", "&Include folders", "&Add folder..."};
const std::vector<std::string> kCustomize{"&View", "&Include folders", "&Customize..."};

// The stored include-folders list: each entry's title, "+" when included.
std::vector<std::string> StoredFolders() {
    InitAppIni();
    std::vector<std::string> lines;
    {
        TNimbraCfg configuration;
        configuration.Load();
        const TCustomFolders& folders = *configuration.FoldersCfg()->Folders();
        for (int i = 0; i < folders.Count(); ++i)
            lines.push_back(folders.Items(i)->Title() + (folders.Items(i)->Include() ? "+" : "-"));
    }
    AppIni().Close();
    return lines;
}

// Adds an entry titled "&Zebra" for `folder` to the stored list.
void StoreZebraEntry(const fs::path& folder) {
    InitAppIni();
    {
        TNimbraCfg configuration;
        configuration.Load();
        TCustomFolder* entry = configuration.FoldersCfg()->Folders()->Add();
        entry->SetTitle("&Zebra");
        entry->Paths()->AddDisk(ToUtf8(folder.wstring()));
        configuration.Save();
    }
    AppIni().Close();
}

// The message box the program shows, if any.
HWND FindMessageBox(DWORD processId) {
    struct TSearch {
        DWORD ProcessId;
        HWND Found = nullptr;
    } search{processId};
    EnumWindows(
        [](HWND hwnd, LPARAM data) {
            auto& s = *reinterpret_cast<TSearch*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            wchar_t name[16] = {};
            GetClassNameW(hwnd, name, 16);
            if (process == s.ProcessId && std::wstring(name) == L"#32770" &&
                IsWindowVisible(hwnd)) {
                s.Found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// The text of a message box (its one static text that has any).
std::wstring MessageText(HWND box) {
    HWND text = FindWindowExW(box, nullptr, L"Static", nullptr);
    while (text != nullptr && GetWindowTextLengthW(text) == 0)
        text = FindWindowExW(box, text, L"Static", nullptr);
    wchar_t message[512] = {};
    GetWindowTextW(text, message, 512);
    return message;
}

class FolderDialogsTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("nimbra-folders-" + std::to_string(GetCurrentProcessId()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "Test");
        fs::create_directories(root_ / "Zebra");
        std::ofstream(root_ / "Test" / "alpha notes.txt") << "x";
        std::ofstream(root_ / "Zebra" / "zebra notes.txt") << "x";
        ResetSettings(root_ / "Test");
    }

    void TearDown() override {
        nimbra_.reset();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    TNimbraProcess& Start() {
        nimbra_ = std::make_unique<TNimbraProcess>();
        nimbra_->Activate();
        return *nimbra_;
    }

    // Searches for `text` and gives the titles of the matching rows.
    std::vector<std::string> Search(const std::wstring& text) {
        SendMessageW(nimbra_->Control(kEditPath), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(text.c_str()));
        nimbra_->Settle();
        std::vector<std::string> titles;
        for (const TRow& row : nimbra_->Rows())
            titles.push_back(row.Title);
        return titles;
    }

    bool Finds(const std::wstring& text, const std::string& title) {
        const std::vector<std::string> titles = Search(text);
        return std::find(titles.begin(), titles.end(), title) != titles.end();
    }

    // Opens the location dialog from the include menu.
    HWND OpenAddFolder() {
        EXPECT_TRUE(nimbra_->MenuCommand(kAddFolder));
        const HWND dialog = nimbra_->WaitForWindow(kPathForm);
        EXPECT_TRUE(nimbra_->WaitFor([&] { return GetForegroundWindow() == dialog; }));
        return dialog;
    }

    // Types a path into the location dialog and presses Enter once OK is
    // enabled for it.
    void EnterPath(const std::wstring& path) {
        nimbra_->Type(path);
        const HWND edit = nimbra_->WaitForWindow(std::string(kPathForm) + ".PathEdit");
        const HWND ok = nimbra_->WaitForWindow(std::string(kPathForm) + ".OKButton");
        EXPECT_TRUE(nimbra_->WaitFor([&] {
            wchar_t text[MAX_PATH] = {};
            SendMessageW(edit, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
            return text == path && IsWindowEnabled(ok);
        }));
        nimbra_->Press(VK_RETURN);
    }

    HWND OpenCustomize() {
        EXPECT_TRUE(nimbra_->MenuCommand(kCustomize));
        return nimbra_->WaitForWindow(kFoldersForm);
    }

    bool Closes(HWND dialog) {
        return nimbra_->WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
    }

    // Adds the Zebra folder through "&Add folder...".
    void AddZebra() {
        const HWND dialog = OpenAddFolder();
        ASSERT_NE(dialog, nullptr);
        EnterPath((root_ / "Zebra").wstring());
        ASSERT_TRUE(Closes(dialog));
    }

    std::string ZebraEntry() const { return "&" + ToUtf8((root_ / "Zebra").wstring()); }

    fs::path root_;
    std::unique_ptr<TNimbraProcess> nimbra_;
};

// The new entry is titled by its location with "&" before it: its first
// character is the hot key in the include menu.
TEST_F(FolderDialogsTest, AnAddedFolderIsSearchedAtOnceAndTitledWithItsHotKey) {
    TNimbraProcess& nimbra = Start();
    EXPECT_FALSE(Finds(L"zebra", "zebra notes.txt"));
    AddZebra();
    EXPECT_TRUE(nimbra.WaitFor([&] { return Finds(L"zebra", "zebra notes.txt"); }));
    EXPECT_TRUE(Finds(L"alpha", "alpha notes.txt"));
    EXPECT_EQ(StoredFolders(), (std::vector<std::string>{"&Test+", ZebraEntry() + "+"}));
}

TEST_F(FolderDialogsTest, ACancelledAddLeavesNoEntryBehind) {
    TNimbraProcess& nimbra = Start();
    const HWND dialog = OpenAddFolder();
    ASSERT_NE(dialog, nullptr);
    nimbra.Screenshot(ScreenshotFolder() / "folders-location.png", dialog);
    nimbra.Type(L"C:\\windows");
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(dialog));
    // The next add saves the list: the cancelled entry is not in it.
    AddZebra();
    EXPECT_TRUE(nimbra.WaitFor([&] { return Finds(L"zebra", "zebra notes.txt"); }));
    EXPECT_EQ(StoredFolders(), (std::vector<std::string>{"&Test+", ZebraEntry() + "+"}));
}

// The entry of a special folder is titled with the folder's name and
// searched.
TEST_F(FolderDialogsTest, ASpecialFolderIsChosenFromTheList) {
    TNimbraProcess& nimbra = Start();
    const HWND dialog = OpenAddFolder();
    ASSERT_NE(dialog, nullptr);
    const HWND list = nimbra.WaitForWindow(std::string(kPathForm) + ".ShellFolderList");
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(IsWindowEnabled(list));
    nimbra.Press('S', false, false, true);  // Alt+S: "&Select folder from the list..."
    ASSERT_TRUE(nimbra.WaitFor([&] { return IsWindowEnabled(list) != FALSE; }));
    wchar_t name[128] = {};
    SendMessageW(list, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(name));
    ASSERT_NE(name[0], L'\0');
    nimbra.Screenshot(ScreenshotFolder() / "folders-location-special.png", dialog);
    nimbra.Press(VK_RETURN);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_TRUE(nimbra.WaitFor([&] {
        return StoredFolders() == std::vector<std::string>{"&Test+", "&" + ToUtf8(name) + "+"};
    }));
}

TEST_F(FolderDialogsTest, APathThatDoesNotExistIsRefusedWithTheMessage) {
    TNimbraProcess& nimbra = Start();
    const HWND dialog = OpenAddFolder();
    ASSERT_NE(dialog, nullptr);
    const std::wstring missing = root_.wstring() + L"\\Nowhere";
    EnterPath(missing);
    // The message box is the active window now, the dialog still open.
    HWND box = nullptr;
    ASSERT_TRUE(
        nimbra.WaitFor([&] { return (box = FindMessageBox(nimbra.ProcessId())) != nullptr; }));
    EXPECT_EQ(MessageText(box), L"Path \"" + missing + L"\" does not exist.");
    nimbra.Press(VK_RETURN);
    ASSERT_TRUE(nimbra.WaitFor([&] { return FindMessageBox(nimbra.ProcessId()) == nullptr; }));
    EXPECT_TRUE(IsWindowVisible(dialog));
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_EQ(StoredFolders(), (std::vector<std::string>{"&Test+"}));
}

TEST_F(FolderDialogsTest, UncheckingAnEntryRemovesItsFilesAndSurvivesARestart) {
    StoreZebraEntry(root_ / "Zebra");
    {
        TNimbraProcess& nimbra = Start();
        ASSERT_TRUE(Finds(L"zebra", "zebra notes.txt"));
        const HWND dialog = OpenCustomize();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(nimbra.ListTexts(nimbra.WaitForWindow(kFoldersList)),
                  (std::vector<std::string>{"&Test", "&Zebra"}));
        nimbra.Press(VK_END);
        nimbra.Press(VK_SPACE);
        nimbra.Screenshot(ScreenshotFolder() / "folders-list.png", dialog);
        nimbra.Press(VK_RETURN);
        ASSERT_TRUE(Closes(dialog));
        EXPECT_TRUE(nimbra.WaitFor([&] { return !Finds(L"zebra", "zebra notes.txt"); }));
        EXPECT_TRUE(nimbra.Close());
    }
    EXPECT_EQ(StoredFolders(), (std::vector<std::string>{"&Test+", "&Zebra-"}));
    Start();
    EXPECT_FALSE(Finds(L"zebra", "zebra notes.txt"));
    EXPECT_TRUE(Finds(L"alpha", "alpha notes.txt"));
}

TEST_F(FolderDialogsTest, CancelAfterEditingRowsLeavesTheListUntouched) {
    StoreZebraEntry(root_ / "Zebra");
    TNimbraProcess& nimbra = Start();
    ASSERT_TRUE(Finds(L"zebra", "zebra notes.txt"));
    const HWND dialog = OpenCustomize();
    ASSERT_NE(dialog, nullptr);
    const HWND list = nimbra.WaitForWindow(kFoldersList);
    nimbra.Press(VK_END);
    nimbra.Press(VK_SPACE);
    nimbra.Press('X', false, true);  // cut the ticked-off row
    nimbra.Settle();
    EXPECT_EQ(nimbra.ListTexts(list).size(), 1u);
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_TRUE(Finds(L"zebra", "zebra notes.txt"));
    EXPECT_TRUE(Finds(L"alpha", "alpha notes.txt"));
    EXPECT_EQ(StoredFolders(), (std::vector<std::string>{"&Test+", "&Zebra+"}));
}

TEST_F(FolderDialogsTest, RowsCopiedInOneDialogArePastedInAnother) {
    TNimbraProcess& nimbra = Start();
    HWND dialog = OpenCustomize();
    ASSERT_NE(dialog, nullptr);
    nimbra.Press(VK_DOWN);
    nimbra.Press('C', false, true);
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(dialog));
    dialog = OpenCustomize();
    ASSERT_NE(dialog, nullptr);
    const HWND list = nimbra.WaitForWindow(kFoldersList);
    nimbra.Press('V', false, true);
    ASSERT_TRUE(nimbra.WaitFor([&] { return nimbra.ListTexts(list).size() == 2; }));
    EXPECT_EQ(nimbra.ListTexts(list), (std::vector<std::string>{"&Test", "&Test"}));
    nimbra.Press(VK_RETURN);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_EQ(StoredFolders(), (std::vector<std::string>{"&Test+", "&Test+"}));
}

TEST_F(FolderDialogsTest, TheEntryDialogShowsTheEntry) {
    TNimbraProcess& nimbra = Start();
    const HWND dialog = OpenCustomize();
    ASSERT_NE(dialog, nullptr);
    nimbra.Press(VK_DOWN);
    nimbra.Press(VK_F2);
    const HWND entry = nimbra.WaitForWindow(kFolderForm);
    ASSERT_NE(entry, nullptr);
    wchar_t title[64] = {};
    // An edit control's text, unlike a caption, must be asked from the
    // window itself.
    SendMessageW(nimbra.WaitForWindow("CustomFolderForm.TitleEdit"), WM_GETTEXT, 64,
                 reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ(title, L"&Test");
    nimbra.Screenshot(ScreenshotFolder() / "folders-entry.png", entry);
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(entry));
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(dialog));
}

TEST_F(FolderDialogsTest, RemovingAsksWithTheEntrysTitleAndOkStoresTheList) {
    TNimbraProcess& nimbra = Start();
    const HWND dialog = OpenCustomize();
    ASSERT_NE(dialog, nullptr);
    const HWND list = nimbra.WaitForWindow(kFoldersList);
    nimbra.Press(VK_DOWN);
    nimbra.Press(VK_DELETE);
    HWND box = nullptr;
    ASSERT_TRUE(
        nimbra.WaitFor([&] { return (box = FindMessageBox(nimbra.ProcessId())) != nullptr; }));
    EXPECT_EQ(MessageText(box), L"Do you really want to delete \"&Test\"?");
    nimbra.Press(VK_RETURN);  // Yes
    ASSERT_TRUE(nimbra.WaitFor([&] { return nimbra.ListTexts(list).empty(); }));
    nimbra.Press(VK_RETURN);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_TRUE(nimbra.WaitFor([&] { return !Finds(L"alpha", "alpha notes.txt"); }));
    EXPECT_EQ(StoredFolders(), std::vector<std::string>{});
}

// Pictures for review: the three dialogs in German at 144 dots per inch.
TEST_F(FolderDialogsTest, TheDialogsInGermanAt144Dpi) {
    const TScopedDpi dpi(144);
    InitAppIni();
    AppIni().WriteString("Options", "Last language", "German");
    AppIni().Close();
    TNimbraProcess& nimbra = Start();
    ASSERT_TRUE(nimbra.MenuCommand({"&Ansicht", "&Ordner einbeziehen", "&Anpassen..."}));
    const HWND dialog = nimbra.WaitForWindow(kFoldersForm);
    ASSERT_NE(dialog, nullptr);
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    EXPECT_STREQ(caption, L"Ordnermen\u00fc anpassen...");
    nimbra.Press(VK_DOWN);
    nimbra.Screenshot(ScreenshotFolder() / "folders-list-german-144dpi.png", dialog);
    nimbra.Press(VK_F2);
    const HWND entry = nimbra.WaitForWindow(kFolderForm);
    ASSERT_NE(entry, nullptr);
    nimbra.Screenshot(ScreenshotFolder() / "folders-entry-german-144dpi.png", entry);
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(entry));
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(dialog));
    ASSERT_TRUE(
        nimbra.MenuCommand({"&Ansicht", "&Ordner einbeziehen", "Ordner &hinzuf\u00fcgen..."}));
    const HWND location = nimbra.WaitForWindow(kPathForm);
    ASSERT_NE(location, nullptr);
    nimbra.Screenshot(ScreenshotFolder() / "folders-location-german-144dpi.png", location);
    nimbra.Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(location));
}

}  // namespace
}  // namespace nimbra::e2e
