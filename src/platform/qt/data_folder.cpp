#include "platform/qt/data_folder.hpp"

#include <QCoreApplication>
#include <QStandardPaths>

#include "platform/core/program_folder.hpp"
#include "platform/qt/qt_platform.hpp"

namespace platform {

std::string window_data_folder(const SeedFolderOf& seed_of) {
    std::string program = program_folder();
    if (program.empty()) program = from_display(QCoreApplication::applicationDirPath());
    // Only when the environment names no home; otherwise the companion's folder, so both agree.
    std::string user = user_data_folder();
    if (user.empty())
        user = from_display(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return choose_data_folder(program, user, seed_of);
}

}  // namespace platform
