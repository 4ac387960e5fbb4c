#pragma once

// What the commands on a result do to its entry (Windows only).
#include "search/NimbraTypes.h"

namespace nimbra {

// Launches the entry: a folder opens, an Internet shortcut opens its address,
// any other file (a program, a shortcut, a document) opens with the shell's
// default action. True when the start succeeded.
bool OpenEntry(const TProgramMenuItem& entry);
// Shows the target of a shortcut selected in its folder; the entry itself
// when it is not a shortcut or its target is unknown.
void ShowEntryTarget(const TProgramMenuItem& entry);
// What ShowEntryTarget selects for the file `path`: the shortcut's target
// when that file or folder exists; otherwise the file itself. One step only:
// a target that is itself a shortcut is shown as it is, so chains and loops
// of shortcuts end at once.
std::string TargetToShow(const std::string& path);
// Opens the folder that holds the entry (C:\dir\x opens C:\dir, C:\x opens
// C:\).
void ShowEntryParentFolder(const TProgramMenuItem& entry);
// The shell's properties sheet of the entry.
void ShowEntryProperties(const TProgramMenuItem& entry);

}  // namespace nimbra
