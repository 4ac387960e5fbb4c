// Internet shortcuts through the shell's own object.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/OsError.h"
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

// What Wine's Internet-shortcut object reads of a file; the other keys it
// leaves out.
constexpr const char* kWineReadsOnlyUrlAndIcon =
    "the Internet-shortcut object reads only URL, IconFile and IconIndex";

TInternetShortcutData FromBytes(const std::string& file) {
    return ParseInternetShortcut(DecodeTextFile(ReadFileBytes(file, kMaxUrlFileSize)));
}

TEST(InternetShortcutWindowsTest, WithADescriptionTheTitleIsTheDescription) {
    TempDir dir;
    const std::string file = PathText(dir.MakeFile(
        "Example Site.url", "[InternetShortcut]\r\nURL=http://example.com/\r\nDesc=About it\r\n"));
    std::string url;
    std::string title;
    ASSERT_TRUE(GetInternetShortcutInfo(file, url, title));
    EXPECT_EQ(url, "http://example.com/");
    if (title != "About it" && RunningUnderWine()) {
        NoteWineGap(kWineReadsOnlyUrlAndIcon);
        EXPECT_EQ(title, "Example Site");
        EXPECT_EQ(InternetShortcutTitle(file, FromBytes(file).Description), "About it");
    } else {
        EXPECT_EQ(title, "About it");
    }
}

TEST(InternetShortcutWindowsTest, WithoutADescriptionTheTitleIsTheFileName) {
    TempDir dir;
    const std::string file = PathText(
        dir.MakeFile("Example Site.url", "[InternetShortcut]\r\nURL=http://example.com/a\r\n"));
    std::string url;
    std::string title;
    ASSERT_TRUE(GetInternetShortcutInfo(file, url, title));
    EXPECT_EQ(url, "http://example.com/a");
    EXPECT_EQ(title, "Example Site");
}

// The shell object reads the file through the private-profile functions,
// which cannot open a path longer than MAX_PATH; such files turn up in deep
// Favorites folders and are still plain INI text.
std::string DeepFolder(const TempDir& dir) {
    return PathText(dir.MakeDir(std::string(120, 'd') + "\\" + std::string(120, 'e')));
}

TEST(InternetShortcutWindowsTest, PlainIniTheShellObjectRejectsIsReadAsIni) {
    TempDir dir;
    const std::string file = DeepFolder(dir) + "\\Deep Site.url";
    ASSERT_GT(file.size(), static_cast<std::size_t>(MAX_PATH));
    dir.MakeFile(std::string(120, 'd') + "\\" + std::string(120, 'e') + "\\Deep Site.url",
                 "[InternetShortcut]\r\nURL=http://deep.example/\r\nDesc=ignored\r\n");
    ASSERT_TRUE(FileExists(file));

    TInternetLnk link;
    link.SetFileName(file);
    EXPECT_THROW(link.Load(), EOSError);

    std::string url;
    std::string title;
    ASSERT_TRUE(GetInternetShortcutInfo(file, url, title));
    EXPECT_EQ(url, "http://deep.example/");
    EXPECT_EQ(title, "Deep Site");
}

TEST(InternetShortcutWindowsTest, PlainIniWithoutAnAddressGivesFalse) {
    TempDir dir;
    const std::string relative = std::string(120, 'd') + "\\" + std::string(120, 'e');
    dir.MakeFile(relative + "\\No Address.url", "[InternetShortcut]\r\nDesc=nothing\r\n");
    const std::string file = PathText(dir.Path()) + "\\" + relative + "\\No Address.url";
    std::string url = "before";
    std::string title = "before";
    EXPECT_FALSE(GetInternetShortcutInfo(file, url, title));
    EXPECT_EQ(url, "");
    EXPECT_EQ(title, "before");

    // A short path the object opens but finds no address in: the same.
    const std::string shortFile = PathText(dir.MakeFile("x.url", "[Other]\r\nURL=x\r\n"));
    EXPECT_FALSE(GetInternetShortcutInfo(shortFile, url, title));
}

TEST(InternetShortcutWindowsTest, AMissingFileLeavesTheOutputsAlone) {
    TempDir dir;
    std::string url = "u";
    std::string title = "t";
    EXPECT_FALSE(GetInternetShortcutInfo(PathText(dir.Path() / "none.url"), url, title));
    EXPECT_EQ(url, "u");
    EXPECT_EQ(title, "t");
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
    const TInternetShortcutData bytes = FromBytes(file);
    EXPECT_EQ(bytes.IconIndex, 70001);
    EXPECT_EQ(bytes.HotKey, 833);
    EXPECT_EQ(bytes.Name, "A name");

    EXPECT_EQ(read.URL, bytes.URL);
    EXPECT_EQ(read.IconFile, bytes.IconFile);
    if (read == bytes)
        return;
    ASSERT_TRUE(RunningUnderWine()) << "the shell's object and the INI reader differ";
    NoteWineGap(kWineReadsOnlyUrlAndIcon);
    if (read.IconIndex != bytes.IconIndex) {
        // Wine keeps the icon index in a 16-bit member of a 32-bit value;
        // only the low half is the file's.
        NoteWineGap("the icon index loses its upper 16 bits");
        EXPECT_EQ(read.IconIndex & 0xFFFF, bytes.IconIndex & 0xFFFF);
    }
    TInternetShortcutData onlyUrlAndIcon;
    onlyUrlAndIcon.URL = read.URL;
    onlyUrlAndIcon.IconFile = read.IconFile;
    onlyUrlAndIcon.IconIndex = read.IconIndex;
    EXPECT_EQ(read, onlyUrlAndIcon) << "Wine read more than it is known to";
}

}  // namespace
}  // namespace nimbra
