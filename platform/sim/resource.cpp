#include "platform/resource.h"

#include "platform/kernel.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {
using Resources = std::map<std::pair<int, int>, std::string>;
}  // namespace

Resource FindResourceW(int id, int type) {
    const Resources& resources = sim::CurrentPc().scenario().resources;
    auto found = resources.find({id, type});
    if (found == resources.end()) {
        SetLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
        return nullptr;
    }
    return const_cast<std::string*>(&found->second);
}

Resource FindResourceA(int id, int type) {
    return FindResourceW(id, type);
}

ResourceData LoadResource(Resource resource) {
    return resource;
}

uint32_t SizeofResource(Resource resource) {
    return resource == nullptr ? 0
                               : static_cast<uint32_t>(static_cast<std::string*>(resource)->size());
}

const void* LockResource(ResourceData data) {
    return data == nullptr ? nullptr : static_cast<std::string*>(data)->data();
}

}  // namespace platform
