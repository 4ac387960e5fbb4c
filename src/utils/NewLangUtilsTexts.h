#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "utils/NewLangUtils.h"

namespace nimbra {

// Every text that program code builds at run time, declared once, here, with
// its English original; the default language file is generated from this
// table. Call sites name a text by section and ident through CodeText(), so
// the English text is never written twice, and a text missing from the table
// (which would be missing from the language files) does not compile. One
// table rather than constants spread over the units that use them: it reads
// like the list a translator works through, and the generator needs no list
// of its own that could fall behind.
inline constexpr TCodeText kCodeTexts[] = {
    {"CommonAppForm", "AppIsAlreadyRunning", "%s is already running."},
    {"CommonAppForm", "AppIsNotClosed", "%s is not closed. It is in the system tray now."},
    {"CommonAppForm", "AppIsRunningNow", "%s is running now."},
    {"CommonAppForm", "ClickIcon", "Click the tray icon to open the %s window."},
    {"CommonAppForm", "ClickOrPress", "Click the tray icon or press %s to open the %s window."},
    {"CommonAppForm", "ShowTheAppWindow", "Show the %s window"},
    {"KeyboardShortcuts", "AppOpen", "Show the %s window"},
    {"MessageBox", "Information", "Information"},
    {"MessageBox", "Error", "Error"},
    {"MessageBox", "Warning", "Warning"},
    {"MessageBox", "Confirm", "Confirm"},
    {"MessageBox", "DontAskQuestion", "&Don't ask this question again"},
    {"MessageBox", "DontShowMessage", "&Don't show this message again"},
    {"HelpViewForm", "HelpCaption", "%s Help"},
    {"HelpViewForm", "NoTopicsFound", "No topics found for this keyword(s)."},
    {"TipOfTheDay", "DialogCaption", "%s Tip Of The Day"},
    {"CollBasicFrame", "DeleteConf", "Do you really want to delete the selected item?"},
    {"CollBasicFrame", "DeleteConfFmt", "Do you really want to delete \"%s\"?"},
    {"CollBasicFrame", "DeleteConfFmtMany", "Do you really want to delete %d selected items?"},
    {"AppShortCutsView", "Title", "Title"},
    {"AppShortCutsView", "Shortcut", "Shortcut"},
    {"AppShortCutsView", "InUse", "in use by another program"},
    {"ShellOptions", "CannotCreateShortcut", "Could not create the shortcut:"},
    {"Nimbra", "TitleColumn", "Title"},
    {"Nimbra", "PathColumn", "Path"},
    {"Nimbra", "ChangedColumn", "Changed"},
    {"Nimbra", "MatchingFrom", "This is a list of m&atching items from the %s folder(s):"},
    {"Nimbra", "SearchFoldersFor", "&Search %s folder(s) for:"},
    {"Nimbra", "UseViewIncludeFolders",
     "Use \"View|Include folders\" to select folders to search!"},
    {"Nimbra", "IncludeExcludeHint", "Include/exclude %s from the list of folders to search."},
    {"Nimbra", "CustomPeriod", "&Custom - %s"},
    {"Nimbra", "Perioddays", "%s day(s)"},
    {"Nimbra", "Periodweeks", "%s week(s)"},
    {"Nimbra", "Periodmonths", "%s month(s)"},
    {"Nimbra", "Periodyears", "%s year(s)"},
    {"Nimbra", "Separator", "- separator -"},
    {"Nimbra", "FolderMenuTitleColumn", "Item title"},
    {"Nimbra", "FolderMenuFoldersColumn", "Item folder(s)"},
    {"Nimbra", "FolderMenuItemPathColumn", "Path"},
    {"Nimbra", "PathDoesntExist", "Path \"%s\" does not exist."},
    {"Nimbra", "ErrorLoading", "Error loading folders contents."},
    {"Nimbra", "OpenFailed", "Could not open \"%s\"."},
    {"DirectoryDialog", "NewButton", "&New..."},
    {"DirectoryDialog", "CannotCreateHere",
     "You cannot create a new folder here. Choose a different location."},
    // The system's reason follows on a line of its own, in brackets.
    {"DirectoryDialog", "CreateFailed", "Failed to create new folder"},
    {"DirectoryDialog", "NewFolderCaption", "New folder"},
    {"DirectoryDialog", "NewFolderPrompt", "Enter a new folder name"},
    {"DirectoryDialog", "NewFolderName", "New folder"},
    {"InputQuery", "OK", "OK"},
    {"InputQuery", "Cancel", "Cancel"},
    // The names of keys in shortcut texts.
    {kStringConstantsSection, "SmkcShift", "Shift+"},
    {kStringConstantsSection, "SmkcCtrl", "Ctrl+"},
    {kStringConstantsSection, "SmkcAlt", "Alt+"},
    {kStringConstantsSection, "SmkcWin", "Win+"},
    {kStringConstantsSection, "SmkcBkSp", "BkSp"},
    {kStringConstantsSection, "SmkcTab", "Tab"},
    {kStringConstantsSection, "SmkcEnter", "Enter"},
    {kStringConstantsSection, "SmkcPause", "Pause"},
    {kStringConstantsSection, "SmkcEsc", "Esc"},
    {kStringConstantsSection, "SmkcSpace", "Space"},
    {kStringConstantsSection, "SmkcPgUp", "PgUp"},
    {kStringConstantsSection, "SmkcPgDn", "PgDn"},
    {kStringConstantsSection, "SmkcEnd", "End"},
    {kStringConstantsSection, "SmkcHome", "Home"},
    {kStringConstantsSection, "SmkcLeft", "Left"},
    {kStringConstantsSection, "SmkcUp", "Up"},
    {kStringConstantsSection, "SmkcRight", "Right"},
    {kStringConstantsSection, "SmkcDown", "Down"},
    {kStringConstantsSection, "SmkcIns", "Ins"},
    {kStringConstantsSection, "SmkcDel", "Del"},
};

// The code text of the table with this section and ident.
consteval const TCodeText& CodeText(std::string_view section, std::string_view ident) {
    for (const TCodeText& text : kCodeTexts) {
        if (text.Section == section && text.Ident == ident)
            return text;
    }
    // Not a constant expression: naming a text that is not declared above
    // stops the build here.
    throw "no such code text";
}

// Every code text of the program as localizer Constants entries
// ("Section.Ident=Text"): the table above and the special folders' names.
std::vector<std::string> CodeTextConstants();

}  // namespace nimbra
