#pragma once
// OLE32: COM on the calling thread, and the interface pointers the boundary hands out.

#include <cstdint>
#include <utility>

namespace platform {

using HResult = int32_t;
constexpr HResult kSOk = 0;
constexpr HResult kSFalse = 1;
constexpr HResult kEFail = static_cast<HResult>(0x80004005);
constexpr HResult kClassNotRegistered = static_cast<HResult>(0x80040154);  // REGDB_E_CLASSNOTREG

constexpr bool Succeeded(HResult result) {
    return result >= 0;
}

// IUnknown::Release
void ReleaseInterface(void* object);

// Owns one reference to a COM interface; the reference goes with Release() or with it.
template <class Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { Release(); }
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Release();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    void Release() {
        if (object_ != nullptr) {
            ReleaseInterface(std::exchange(object_, nullptr));
        }
    }
    void* get() const { return object_; }
    void Reset(void* object) {
        Release();
        object_ = object;
    }

  private:
    void* object_ = nullptr;
};

HResult CoInitialize();
void CoUninitialize();

}  // namespace platform
