// Internet shortcuts through the shell's own object.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Unicode.h"
#include "shell/InternetShortcuts.h"
#include "support/TestFolders.h"
#include "support/WineGaps.h"
#include "utils/FileUtils.h"

namespace nimbra {
namespace {

using testing_support::NoteWineGap;
using testing_support::PathText;
using testing_support::RunningUnderWine;
using testing_support::TempDir;

// The shell object reads the file through the private-profile functions,
// which cannot open a path longer than MAX_PATH; such files turn up in deep
// Favorites folders and are still plain INI text.
TEST(InternetShortcutWindowsTest, IniTheShellObjectRejectsIsReadAsIni) {
    TempDir dir;
    const std::string deep = std::string(120, 'd') + "\\" + std::string(120, 'e');
    const std::string file = PathText(dir.MakeFile(
        deep + "\\Deep Site.url", "[InternetShortcut]\r\nURL=http://deep/\r\nDesc=ignored\r\n"));
    const std::string noAddress =
        PathText(dir.MakeFile(deep + "\\None.url", "[InternetShortcut]\r\nDesc=nothing\r\n"));
    ASSERT_GT(file.size(), static_cast<std::size_t>(MAX_PATH));
    TInternetLnk link;
    link.SetFileName(file);
    EXPECT_THROW(link.Load(), EOSError);

    std::string url;
    std::string title = "before";
    ASSERT_TRUE(GetInternetShortcutInfo(file, url, title));
    EXPECT_EQ(url, "http://deep/");
    EXPECT_EQ(title, "Deep Site");
    title = "before";
    EXPECT_FALSE(GetInternetShortcutInfo(noAddress, url, title));
    EXPECT_EQ(title, "before");
    // A short path the object opens but finds no address in: the same.
    EXPECT_FALSE(GetInternetShortcutInfo(PathText(dir.MakeFile("x.url", "[Other]\r\nURL=x\r\n")),
                                         url, title));
}

TEST(InternetShortcutWindowsTest, TheObjectAndTheIniReaderAgree) {
    TempDir dir;
    const std::string file = PathText(dir.MakeFile(
        "All.url",
        "[InternetShortcut]\r\nURL=http://example.com/all\r\nIconFile=C:\\icons\\site.ico\r\n"
        "IconIndex=70001\r\nHotKey=833\r\nShowCommand=3\r\nWorkingDirectory=C:\\work\r\n"
        "Desc=described\r\nAuthor=someone\r\nWhatsNew=news\r\nComment=remark\r\n"
        "[{000214A0-0000-0000-C000-000000000046}]\r\nProp4=31,A name\r\n"));
    TInternetLnk link;
    link.SetFileName(file);
    ASSERT_NO_THROW(link.Load());
    const TInternetShortcutData read = link.Data();
    const TInternetShortcutData bytes =
        ParseInternetShortcut(DecodeTextFile(ReadFileBytes(file, kMaxUrlFileSize)));
    EXPECT_EQ(bytes.Name, "A name");
    if (read == bytes)
        return;
    ASSERT_TRUE(RunningUnderWine()) << "the shell's object and the INI reader differ";
    NoteWineGap("the Internet-shortcut object reads only URL, IconFile and IconIndex");
    // Wine keeps the icon index in a 16-bit member of a 32-bit value.
    const TInternetShortcutData onlyUrlAndIcon{
        .URL = bytes.URL, .IconFile = bytes.IconFile, .IconIndex = read.IconIndex};
    EXPECT_EQ(read.IconIndex & 0xFFFF, bytes.IconIndex & 0xFFFF);
    EXPECT_EQ(read, onlyUrlAndIcon) << "Wine read more than it is known to";
}

}  // namespace
}  // namespace nimbra
