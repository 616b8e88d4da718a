#pragma once
// The simulated PC's registry: a tree of keys with typed values, and the keys a program holds
// open. Paths start with the root's name ("HKEY_LOCAL_MACHINE\SYSTEM\...").

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace sim {

struct RegistryValue {
    uint32_t type = 1;  // REG_SZ
    std::string bytes;
};

// Keys by path, each with its values by name (the names' case is kept as written).
using RegistryConfig = std::map<std::u16string, std::map<std::u16string, RegistryValue>>;

class Registry {
  public:
    struct Key {
        std::map<std::u16string, std::pair<std::u16string, RegistryValue>> values;  // folded
        bool readOnly = false;
    };
    struct OpenKey {
        std::u16string path;  // folded
        bool write = false;
    };

    // `readOnly`: keys whose values the program may read but not write.
    Registry(const RegistryConfig& keys, const std::set<std::u16string>& readOnly);

    static std::u16string Fold(std::u16string path);
    Key* Find(const std::u16string& path);
    // Creates the key and the keys above it as needed.
    Key& Create(const std::u16string& path);
    // Removes a key that has no keys below it.
    bool Erase(const std::u16string& path);
    const RegistryValue* Value(const std::u16string& path, const std::u16string& name) const;
    const std::map<std::u16string, Key>& keys() const { return keys_; }

    void Open(uintptr_t id, OpenKey key) { open_[id] = std::move(key); }
    OpenKey* Lookup(uintptr_t id);
    bool Close(uintptr_t id) { return open_.erase(id) == 1; }
    size_t openKeys() const { return open_.size(); }
    int& flushes() { return flushes_; }

  private:
    std::map<std::u16string, Key> keys_;
    std::map<uintptr_t, OpenKey> open_;
    int flushes_ = 0;
};

}  // namespace sim
