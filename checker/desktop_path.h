#pragma once

#include <string>

namespace corvane {

// The current user's desktop folder, without trailing backslashes.
bool GetDeskTopPath(std::u16string& path);

}  // namespace corvane
