// Shell links through the shell's own objects, and the binary reader
// checked against them on links the shell wrote.
#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "base/Handles_win.h"
#include "base/Unicode.h"
#include "shell/LnkUtils.h"
#include "support/LnkBuilder.h"
#include "support/TestFolders.h"
#include "support/WineGaps.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {

void PrintTo(const TShellLinkData& data, std::ostream* out) {
    *out << "{Path \"" << data.Path << "\", Arguments \"" << data.Arguments << "\", Description \""
         << data.Description << "\", WorkingDirectory \"" << data.WorkingDirectory
         << "\", IconLocation \"" << data.IconLocation << "\", IconIndex " << data.IconIndex
         << ", HotKey " << data.HotKey << ", ShowCmd " << data.ShowCmd << ", IDList of "
         << data.IDList.size() << " bytes}";
}

namespace {

using Microsoft::WRL::ComPtr;
using testing_support::BuildLnk;
using testing_support::NoteWineGap;
using testing_support::PathText;
using testing_support::RunningUnderWine;
using testing_support::TempDir;

std::string Notepad() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return JoinPath(ToUtf8(folder), "notepad.exe");
}

void WriteShellLink(const std::string& file, const std::function<void(IShellLinkW&)>& setUp) {
    ComPtr<IShellLinkW> link;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)));
    setUp(*link.Get());
    ComPtr<IPersistFile> persist;
    ASSERT_HRESULT_SUCCEEDED(link.As(&persist));
    ASSERT_HRESULT_SUCCEEDED(persist->Save(ToWide(file).c_str(), TRUE));
}

// The platform's own identifier list of a path, as bytes without the
// terminator (for links built by hand in the shell's form).
std::string ShellIDListItems(const std::string& path) {
    const TCoTaskMem<ITEMIDLIST> list(ILCreateFromPathW(ToWide(path).c_str()));
    if (!list)
        return {};
    return std::string(reinterpret_cast<const char*>(list.Get()), ILGetSize(list.Get()) - 2);
}

// Wine's link object differs from Windows in known ways; where one explains
// a difference, it is noted and the binary reader's value stands.
void ExcuseWineGaps(TShellLinkData& fromCom, const TShellLinkFile& binary) {
    const TShellLinkData com = fromCom;  // the conditions look at what Wine gave
    const auto excuse = [&](auto TShellLinkData::*field, bool applies, const char* gap) {
        if (applies && fromCom.*field != binary.Data.*field) {
            NoteWineGap(gap);
            fromCom.*field = binary.Data.*field;
        }
    };
    const bool environment = (binary.LinkFlags & lnkHasExpString) != 0;
    excuse(&TShellLinkData::Path, environment && com.Path.empty() && binary.Data.IDList.empty(),
           "an empty path for a link whose target is only in the environment block");
    excuse(&TShellLinkData::Path, environment && com.Path == binary.IDListPath,
           "the raw path ignores the environment block when there is an ID list");
    excuse(&TShellLinkData::Path, com.Path == binary.LinkInfoPath && com.Path != binary.IDListPath,
           "the path comes from the 8-bit link information, which loses characters outside "
           "the ANSI code page");
    excuse(&TShellLinkData::IconLocation,
           !(binary.LinkFlags & lnkHasIconLocation) && com.IconLocation == com.Path,
           "Resolve fills a missing icon location with the target path");
    excuse(&TShellLinkData::ShowCmd, com.ShowCmd == kShowNormal,
           "the show command stored in the header is ignored");
}

// The binary reader gives exactly what was written; the shell's object gives
// the same, short of Wine's known differences.
void ExpectReadersAgree(const std::string& file, TShellLinkData written) {
    TShellLnk com;
    com.SetFileName(file);
    ASSERT_NO_THROW(com.Load());
    const TShellLinkFile binary = ReadShellLinkFile(file);
    written.IDList = binary.Data.IDList;
    EXPECT_EQ(binary.Data, written) << "the binary reader";
    TShellLinkData fromCom = com.Data();
    if (RunningUnderWine())
        ExcuseWineGaps(fromCom, binary);
    EXPECT_EQ(fromCom, binary.Data) << "the shell's object";
}

struct CorpusCase {
    const char* name;
    TShellLinkData written;
    // Sets what the link holds besides its path; without it the link is
    // written by CreateLnk (path and arguments).
    std::function<void(IShellLinkW&)> set;
    // Or the link's bytes, in the form Windows writes for some targets.
    std::optional<std::string> bytes;
};

void PrintTo(const CorpusCase& c, std::ostream* out) {
    *out << c.name;
}

class LnkReadersAgreeTest : public testing::TestWithParam<CorpusCase> {};

TEST_P(LnkReadersAgreeTest, OnLinksTheShellWrote) {
    const CorpusCase& c = GetParam();
    TempDir dir;
    const std::string name = std::string(c.name) + ".lnk";
    const std::string file = PathText(dir.Path() / name);
    if (c.bytes) {
        dir.MakeFile(name, *c.bytes);
    } else if (c.set) {
        WriteShellLink(file, [&](IShellLinkW& link) {
            link.SetPath(ToWide(c.written.Path).c_str());
            c.set(link);
        });
    } else {
        ASSERT_TRUE(CreateLnk(PathText(dir.Path()), name, c.written.Path, c.written.Arguments));
    }
    ExpectReadersAgree(file, c.written);
}

const std::string kSystemRootNotepad = "%SystemRoot%\\system32\\notepad.exe";

INSTANTIATE_TEST_SUITE_P(
    Corpus, LnkReadersAgreeTest,
    testing::Values(CorpusCase{"CreateLnk", {.Path = Notepad(), .Arguments = "/p \"a b.txt\""}},
                    // Every other setting at once: each field sits in its own place.
                    CorpusCase{"EverySetting",
                               {.Path = Notepad(),
                                .Description = "A note editor",
                                .HotKey = 0x0641,
                                .IconIndex = -154,
                                .IconLocation = "C:\\x\\e.exe",
                                .ShowCmd = kShowMaximized,
                                .WorkingDirectory = "C:\\windows"},
                               [](IShellLinkW& link) {
                                   link.SetDescription(L"A note editor");
                                   link.SetHotkey(0x0641);
                                   link.SetIconLocation(L"C:\\x\\e.exe", -154);
                                   link.SetShowCmd(SW_SHOWMAXIMIZED);
                                   link.SetWorkingDirectory(L"C:\\windows");
                               }},
                    // A target given as "%SystemRoot%\..." is kept only in the
                    // environment-variable block, or beside the shell's own ID list and
                    // link information of the expanded path.
                    CorpusCase{"SystemRootOnlyInTheEnvironmentBlock",
                               {.Path = kSystemRootNotepad},
                               nullptr,
                               BuildLnk({.environmentTarget = kSystemRootNotepad})},
                    CorpusCase{"SystemRootWithIDListAndLinkInfo",
                               {.Path = kSystemRootNotepad, .Arguments = "%TEMP%\\x.txt"},
                               nullptr,
                               BuildLnk({.idListItems = ShellIDListItems(Notepad()),
                                         .localBasePath = Notepad(),
                                         .arguments = "%TEMP%\\x.txt",
                                         .environmentTarget = kSystemRootNotepad})}),
    [](const testing::TestParamInfo<CorpusCase>& info) { return std::string(info.param.name); });

TEST(LnkReadersAgreeUnicodeTest, OnNamesOutsideTheCodePage) {
    const std::string name =
        "\xC3\x9C"
        "bersicht \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";
    TempDir dir;
    const std::string target = PathText(dir.MakeFile(name + ".txt", "text"));
    const std::string file = PathText(dir.Path() / "unicode.lnk");
    WriteShellLink(file, [&](IShellLinkW& link) {
        link.SetPath(ToWide(target).c_str());
        link.SetArguments(ToWide(name).c_str());
        link.SetDescription(ToWide(name).c_str());
        link.SetWorkingDirectory(ToWide(PathText(dir.Path())).c_str());
    });
    ExpectReadersAgree(file, {.Path = target,
                              .Arguments = name,
                              .Description = name,
                              .WorkingDirectory = PathText(dir.Path())});
}

// Resolving a link whose target is gone looks for it without asking the
// user (a question would block here): the target is empty.
TEST(ShellLnkWindowsTest, AnUnresolvableLinkGivesAnEmptyTarget) {
    TempDir dir;
    const std::string target = PathText(dir.MakeFile("gone.txt", "soon gone"));
    ASSERT_TRUE(CreateLnk(PathText(dir.Path()), "gone.lnk", target, ""));
    ASSERT_TRUE(RemoveFile(target));
    const std::string gone = GetLnkTarget(PathText(dir.Path() / "gone.lnk"));
    if (!gone.empty() && RunningUnderWine())
        NoteWineGap("Resolve never looks for the target and always succeeds");
    else
        EXPECT_EQ(gone, "");
}

}  // namespace
}  // namespace nimbra
