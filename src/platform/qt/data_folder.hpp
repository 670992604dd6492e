#pragma once
// The window's data folder: the companion's rule (platform/core/data_folder.hpp), with Qt's
// answers where the plain environment has none.

#include <string>

#include "platform/core/data_folder.hpp"

namespace platform {

// Needs a QCoreApplication.
std::string window_data_folder(const SeedFolderOf& seed_of);

}  // namespace platform
