#pragma once
// KERNEL32: resources of this program's own module.

#include <cstdint>

namespace platform {

using Resource = void*;
using ResourceData = void*;

Resource FindResourceW(int id, int type);
Resource FindResourceA(int id, int type);  // numeric id and type: the same lookup
ResourceData LoadResource(Resource resource);
uint32_t SizeofResource(Resource resource);
const void* LockResource(ResourceData data);

}  // namespace platform
