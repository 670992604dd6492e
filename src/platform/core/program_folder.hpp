#pragma once
#include <string>

namespace platform {
// The folder that holds the running executable (UTF-8, no trailing separator), or "" when
// the platform cannot tell.
std::string program_folder();
}  // namespace platform
