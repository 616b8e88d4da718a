#include "tests/wine/netconfig/service_lookup.h"

#include "netconfig/unique_service.h"

namespace corvane {

bool ServiceExists(const char* name) {
    UniqueServiceHandle manager(platform::OpenSCManagerA(platform::kScManagerAllAccess));
    UniqueServiceHandle service(
        platform::OpenServiceA(manager.Get(), name, platform::kServiceAllAccess));
    return static_cast<bool>(service);
}

}  // namespace corvane
