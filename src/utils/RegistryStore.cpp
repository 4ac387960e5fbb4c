#include "utils/RegistryStore.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "base/Locale.h"

namespace nimbra {

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
    std::vector<std::string_view> names;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t end = path.find('\\', pos);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > pos)
            names.push_back(path.substr(pos, end - pos));
        pos = end + 1;
    }
    return names;
}

namespace {

struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return AnsiCompareText(a, b) < 0;
    }
};

// One key of the in-memory tree: values in the order they were made (as the
// registry lists them), sub-keys by name.
struct MemKey {
    std::vector<std::pair<std::string, TRegValue>> values;
    std::map<std::string, std::unique_ptr<MemKey>, NameLess> subKeys;

    std::pair<std::string, TRegValue>* FindValue(std::string_view name) {
        auto it = std::find_if(values.begin(), values.end(),
                               [&](const auto& v) { return AnsiSameText(v.first, name); });
        return it == values.end() ? nullptr : &*it;
    }
    void SetValue(std::string_view name, TRegValue value) {
        if (auto* existing = FindValue(name)) {
            existing->second = std::move(value);
        } else {
            values.emplace_back(std::string(name), std::move(value));
        }
    }
};

struct MemRoot {
    std::mutex mutex;
    MemKey tree;
};

// The trees live as long as the process, like the registry outlives a
// program; one per root key.
MemRoot& RootOf(std::uintptr_t rootKey) {
    static std::mutex rootsMutex;
    static std::map<std::uintptr_t, std::unique_ptr<MemRoot>> roots;
    std::lock_guard lock(rootsMutex);
    auto& root = roots[rootKey];
    if (!root)
        root = std::make_unique<MemRoot>();
    return *root;
}

class TMemRegistryStore : public TRegistryStore {
  public:
    TMemRegistryStore(MemRoot& root, std::string_view basePath) : root_(root) {
        for (std::string_view name : SplitKeyPath(basePath))
            base_.emplace_back(name);
        std::lock_guard lock(root_.mutex);
        Find(std::string_view(), true);
    }

    bool KeyExists(std::string_view path) override {
        std::lock_guard lock(root_.mutex);
        return Find(path, false) != nullptr;
    }

    std::optional<TRegValue> ReadValue(std::string_view path, std::string_view name) override {
        std::lock_guard lock(root_.mutex);
        MemKey* key = Find(path, false);
        const auto* value = key != nullptr ? key->FindValue(name) : nullptr;
        if (value == nullptr)
            return std::nullopt;
        return value->second;
    }

    void WriteString(std::string_view path, std::string_view name,
                     std::string_view value) override {
        // Like the registry, a string value ends at its first NUL.
        const std::string_view text = value.substr(0, value.find('\0'));
        std::lock_guard lock(root_.mutex);
        Find(path, true)->SetValue(name, TRegValue{TRegDataType::rdString, std::string(text), 0});
    }

    void WriteInteger(std::string_view path, std::string_view name, std::uint32_t value) override {
        std::lock_guard lock(root_.mutex);
        Find(path, true)->SetValue(name, TRegValue{TRegDataType::rdInteger, {}, value});
    }

    void DeleteValue(std::string_view path, std::string_view name) override {
        std::lock_guard lock(root_.mutex);
        if (MemKey* key = Find(path, false)) {
            std::erase_if(key->values, [&](const auto& v) { return AnsiSameText(v.first, name); });
        }
    }

    void DeleteKey(std::string_view path) override {
        std::lock_guard lock(root_.mutex);
        const auto names = SplitKeyPath(path);
        if (names.empty()) {
            if (MemKey* base = Find(std::string_view(), false)) {
                base->values.clear();
                base->subKeys.clear();
            }
            return;
        }
        MemKey* parent = FindNames({names.begin(), names.end() - 1}, false);
        if (parent != nullptr) {
            auto it = parent->subKeys.find(names.back());
            if (it != parent->subKeys.end())
                parent->subKeys.erase(it);
        }
    }

    std::vector<std::string> ValueNames(std::string_view path) override {
        std::lock_guard lock(root_.mutex);
        std::vector<std::string> names;
        if (MemKey* key = Find(path, false)) {
            for (const auto& value : key->values)
                names.push_back(value.first);
        }
        return names;
    }

    std::vector<std::string> SubKeyNames(std::string_view path) override {
        std::lock_guard lock(root_.mutex);
        std::vector<std::string> names;
        if (MemKey* key = Find(path, false)) {
            for (const auto& entry : key->subKeys)
                names.push_back(entry.first);
        }
        return names;
    }

  private:
    // The key at the path below the base; with `create`, missing keys are
    // made on the way.
    MemKey* Find(std::string_view path, bool create) {
        return FindNames(SplitKeyPath(path), create);
    }
    MemKey* FindNames(const std::vector<std::string_view>& names, bool create) {
        MemKey* key = &root_.tree;
        const auto step = [&](std::string_view name) {
            auto it = key->subKeys.find(name);
            if (it == key->subKeys.end()) {
                if (!create)
                    return false;
                it = key->subKeys.emplace(std::string(name), std::make_unique<MemKey>()).first;
            }
            key = it->second.get();
            return true;
        };
        for (const std::string& name : base_)
            if (!step(name))
                return nullptr;
        for (std::string_view name : names)
            if (!step(name))
                return nullptr;
        return key;
    }

    MemRoot& root_;
    std::vector<std::string> base_;
};

}  // namespace

std::unique_ptr<TRegistryStore> OpenMemRegistryStore(std::string_view keyPath,
                                                     std::uintptr_t rootKey) {
    return std::make_unique<TMemRegistryStore>(RootOf(rootKey), keyPath);
}

}  // namespace nimbra
