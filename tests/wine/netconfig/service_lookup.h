#pragma once
// Whether Wine's Service Control Manager knows a service. Apart from the tests that use it:
// the boundary's registry and services headers both define kErrorMoreData.

namespace corvane {

bool ServiceExists(const char* name);

}  // namespace corvane
