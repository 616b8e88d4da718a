#include "platform/sim/registry_model.h"

namespace sim {

Registry::Registry(const RegistryConfig& keys, const std::set<std::u16string>& readOnly) {
    for (const auto& [path, values] : keys) {
        Key& key = Create(path);
        for (const auto& [name, value] : values) {
            key.values[Fold(name)] = {name, value};
        }
    }
    for (const std::u16string& path : readOnly) {
        Create(path).readOnly = true;
    }
}

std::u16string Registry::Fold(std::u16string path) {
    for (char16_t& c : path) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    while (!path.empty() && path.back() == u'\\') {
        path.pop_back();
    }
    return path;
}

Registry::Key* Registry::Find(const std::u16string& path) {
    auto found = keys_.find(Fold(path));
    return found == keys_.end() ? nullptr : &found->second;
}

Registry::Key& Registry::Create(const std::u16string& path) {
    std::u16string folded = Fold(path);
    for (size_t slash = folded.find(u'\\'); slash != std::u16string::npos;
         slash = folded.find(u'\\', slash + 1)) {
        keys_.try_emplace(folded.substr(0, slash));
    }
    return keys_[folded];
}

bool Registry::Erase(const std::u16string& path) {
    auto found = keys_.find(Fold(path));
    if (found == keys_.end()) {
        return false;
    }
    std::u16string below = found->first + u"\\";
    auto next = keys_.lower_bound(below);
    if (next != keys_.end() && next->first.starts_with(below)) {
        return false;
    }
    keys_.erase(found);
    return true;
}

const RegistryValue* Registry::Value(const std::u16string& path, const std::u16string& name) const {
    auto key = keys_.find(Fold(path));
    if (key == keys_.end()) {
        return nullptr;
    }
    auto value = key->second.values.find(Fold(name));
    return value == key->second.values.end() ? nullptr : &value->second.second;
}

Registry::OpenKey* Registry::Lookup(uintptr_t id) {
    auto found = open_.find(id);
    return found == open_.end() ? nullptr : &found->second;
}

}  // namespace sim
