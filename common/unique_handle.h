#pragma once
// Owners of the boundary's handles: each closes what it holds when it goes.

#include <utility>

#include "platform/gdi.h"
#include "platform/kernel.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace corvane {

template <typename T, bool (*Close)(T)>
class UniqueResource {
  public:
    UniqueResource() = default;
    explicit UniqueResource(T value) : value_(value) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    T Get() const { return value_; }
    explicit operator bool() const { return value_ != nullptr; }
    T Release() { return std::exchange(value_, nullptr); }
    void Reset(T value = nullptr) {
        if (value_ != nullptr) {
            Close(value_);
        }
        value_ = value;
    }

  private:
    T value_ = nullptr;
};

inline bool FreeItemList(platform::ItemList items) {
    platform::CoTaskMemFree(items);
    return true;
}

inline bool CloseRegistryKey(platform::RegistryKey key) {
    return platform::RegCloseKey(key) == platform::kErrorSuccess;
}

using UniqueHandle = UniqueResource<platform::Handle, platform::CloseHandle>;
using UniqueLibrary = UniqueResource<platform::Module, platform::FreeLibrary>;
using UniqueRegistryKey = UniqueResource<platform::RegistryKey, CloseRegistryKey>;
using UniqueFont = UniqueResource<platform::Font, platform::DeleteObject>;
using UniqueItemList = UniqueResource<platform::ItemList, FreeItemList>;

}  // namespace corvane
