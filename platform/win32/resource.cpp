#include "platform/resource.h"

#include <windows.h>

namespace platform {

Resource FindResourceW(int id, int type) {
    return ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
}

Resource FindResourceA(int id, int type) {
    return ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
}

ResourceData LoadResource(Resource resource) {
    return ::LoadResource(nullptr, static_cast<HRSRC>(resource));
}

uint32_t SizeofResource(Resource resource) {
    return ::SizeofResource(nullptr, static_cast<HRSRC>(resource));
}

const void* LockResource(ResourceData data) {
    return ::LockResource(data);
}

}  // namespace platform
