#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Exception.h"

namespace nimbra {

class ERegistryException : public Exception {
  public:
    using Exception::Exception;
};

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegValue {
    TRegDataType Type = TRegDataType::rdUnknown;
    std::string Text;           // rdString, rdExpandString
    std::uint32_t Integer = 0;  // rdInteger
};

// The keys below one base key of a registry-like tree. Key paths are
// relative to the base key, with "\" between names (empty names are
// skipped, so "" and "\" are the base key itself); key and value names
// ignore letter case.
class TRegistryStore {
  public:
    virtual ~TRegistryStore() = default;

    virtual bool KeyExists(std::string_view path) = 0;
    // The value, or nullopt when the key or the value does not exist.
    virtual std::optional<TRegValue> ReadValue(std::string_view path, std::string_view name) = 0;
    // Creates the key (and the keys above it) when missing.
    virtual void WriteString(std::string_view path, std::string_view name,
                             std::string_view value) = 0;
    virtual void WriteInteger(std::string_view path, std::string_view name,
                              std::uint32_t value) = 0;
    // A missing key or value is no error.
    virtual void DeleteValue(std::string_view path, std::string_view name) = 0;
    // Deletes the key with every key and value below it; for the base key,
    // only its content goes.
    virtual void DeleteKey(std::string_view path) = 0;
    // Names of the values of a key, and of the keys directly below it;
    // empty for a missing key.
    virtual std::vector<std::string> ValueNames(std::string_view path) = 0;
    virtual std::vector<std::string> SubKeyNames(std::string_view path) = 0;
};

// The names of a key path, without empty ones.
std::vector<std::string_view> SplitKeyPath(std::string_view path);

// Opens (and creates when missing) the key at `keyPath` below the current
// user's root as the base of a store, with full access. `rootKey` other than
// 0 names another root (on Windows a predefined HKEY). On Windows this is
// the registry; elsewhere it is the process's in-memory registry, which
// follows the same rules and lives as long as the process. A key that may
// be read but not written opens for reading, its writes raising. Raises
// ERegistryException or EOSError when the key cannot be opened.
std::unique_ptr<TRegistryStore> OpenRegistryStore(std::string_view keyPath,
                                                  std::uintptr_t rootKey = 0);

// An in-memory registry, for portable builds and tests: `OpenMemRegistryStore`
// opens a base key in the process-wide tree of the root.
std::unique_ptr<TRegistryStore> OpenMemRegistryStore(std::string_view keyPath,
                                                     std::uintptr_t rootKey = 0);

}  // namespace nimbra
