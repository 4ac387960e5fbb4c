#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/Classes.h"
#include "shell/LnkFormat.h"

namespace nimbra {

// Reads everything a shell shortcut (".lnk") stores. Created, loaded, read
// and freed within one call.
class TShellLnk : public TObject {
  public:
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    // Path with environment references expanded.
    const std::string& Target() const { return target_; }
    const std::string& Arguments() const { return data_.Arguments; }
    // The target path exactly as stored (may hold environment references).
    const std::string& Path() const { return data_.Path; }
    // Sets Path and, expanded, Target.
    void SetPath(const std::string& value);
    const std::string& Description() const { return data_.Description; }
    std::uint16_t HotKey() const { return data_.HotKey; }
    std::int32_t IconIndex() const { return data_.IconIndex; }
    const std::string& IconLocation() const { return data_.IconLocation; }
    std::int32_t ShowCmd() const { return data_.ShowCmd; }
    const std::string& WorkingDirectory() const { return data_.WorkingDirectory; }
    // The target as an item identifier list; empty when the link has none.
    // Kept as bytes (a valid list for the shell's calls): the shell's own
    // copy is freed through its allocator as soon as it has been copied.
    const TItemIDList& IDList() const { return data_.IDList; }
    const TShellLinkData& Data() const { return data_; }

    // Resets every field but FileName, then reads FileName unless it is
    // empty. Raises when the file cannot be loaded or its target cannot be
    // resolved; the fields read before the failure keep their values.
    void Load();

  private:
    // The platform's reading of a non-empty FileName into the fields.
    void LoadFromFile();

    std::string fileName_;
    std::string target_;
    TShellLinkData data_;
};

// Path with its environment references (%NAME%) expanded; unknown names stay.
std::string ExpandEnvVars(const std::string& text);

// The standard places where the program can put its own shortcut.
enum TLnkFolder {
    lfDesktop,
    lfStartMenu,
    lfStartup,
    lfPrograms,
    lfCommonPrograms,
    lfCommonStartup,
    lfQuickLaunch,
};

// A loaded link, or none when the name is empty, the file does not exist or
// loading fails (the error is swallowed).
std::unique_ptr<TShellLnk> LoadShellLnk(const std::string& fileName);
// Target of the loaded link; empty when there is no such file or it cannot be
// read or resolved. Raises nothing.
std::string GetLnkTarget(const std::string& fileName);
// The Quick Launch folder below the application-data folder; empty when it
// does not exist.
std::string GetQuickLaunchFolder();
// The folder of the place; empty when it cannot be resolved.
std::string GetLnkFolder(TLnkFolder folder);
// True when the folder is not empty and folder\name exists; errors give false.
bool LnkExists(const std::string& folder, const std::string& name);
// Writes a new link folder\name to target with the arguments (when not
// empty). False when the folder is empty or any step fails; raises nothing.
bool CreateLnk(const std::string& folder, const std::string& name, const std::string& target,
               const std::string& arguments);
// Deletes folder\name when the folder is not empty.
void DeleteLnk(const std::string& folder, const std::string& name);

}  // namespace nimbra
