#pragma once
// Where the program keeps its settings, lists and reports. Beside the executable is the
// program's tradition; an installation under a read-only prefix moves them to the user's data
// folder instead. Both the window and the companion decide through data_folder(), so they agree.

#include <functional>
#include <string>

namespace platform {

// The user's data folder for Skelvar, UTF-8: $XDG_DATA_HOME/skelvar (an absolute
// XDG_DATA_HOME only), else $HOME/.local/share/skelvar; %APPDATA%\skelvar on Windows. The same
// folder Qt's QStandardPaths::AppDataLocation names when no organisation name is set.
// "" when the environment names no home.
std::string user_data_folder();

// Whether a file can be created in folder (tried, not guessed from permission bits, which
// neither root nor Windows ACLs honour as written).
bool folder_is_writable(const std::string& folder);

// The folder inside a data folder that holds what ships beside the executable (its system
// folder); the caller knows the layout.
using SeedFolderOf = std::function<std::string(const std::string& root)>;
using WritableCheck = std::function<bool(const std::string& folder)>;

// program_folder when it is writable, otherwise user_folder, created when missing, whose seed
// folder is filled on first use by copying program_folder's (when that exists). An empty
// program_folder counts as unwritable; with no user_folder either, program_folder is returned
// and the caller's writes report the failure.
std::string choose_data_folder(const std::string& program_folder, const std::string& user_folder,
                               const SeedFolderOf& seed_of,
                               const WritableCheck& writable = folder_is_writable);

// choose_data_folder(program_folder(), user_data_folder(), seed_of).
std::string data_folder(const SeedFolderOf& seed_of);

}  // namespace platform
