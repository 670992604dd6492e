#include "platform/core/data_folder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "../common/temp_folder.hpp"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using testing_support::TempFolder;

namespace {

std::string system_of(const std::string& root) {
    return (fs::path(root) / "system").string();
}

void write(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool never_writable(const std::string&) {
    return false;
}

// A program folder with a shipped system file, and the user folder to fall back on.
class DataFolder : public ::testing::Test {
  protected:
    void SetUp() override { write(program.path() / "system" / "matches", "shipped"); }
    std::string target_file(const char* name) const {
        return read(fs::path(target) / "system" / name);
    }
    TempFolder program, user;
    const std::string target = user.file("skelvar");
};

TEST_F(DataFolder, writableProgramFolder_isItself) {
    EXPECT_EQ(platform::choose_data_folder(program.str(), target, system_of), program.str());
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(DataFolder, unwritableProgramFolder_isUserFolderSeededFromSystem) {
    write(program.path() / "system" / "sub" / "list", "nested");
    write(program.path() / "mm.dat", "not shipped data");
    const std::string deep = user.file("deep/skelvar");
    EXPECT_EQ(platform::choose_data_folder(program.str(), deep, system_of, never_writable), deep);
    EXPECT_EQ(read(fs::path(deep) / "system" / "matches"), "shipped");
    EXPECT_EQ(read(fs::path(deep) / "system" / "sub" / "list"), "nested");
    EXPECT_FALSE(fs::exists(fs::path(deep) / "mm.dat"));
    EXPECT_FALSE(fs::exists(fs::path(deep) / "system.seeding"));
}

TEST_F(DataFolder, laterStart_keepsTheUsersSystemFolder) {
    write(fs::path(target) / "system" / "matches", "edited by the user");
    platform::choose_data_folder(program.str(), target, system_of, never_writable);
    EXPECT_EQ(target_file("matches"), "edited by the user");
}

TEST_F(DataFolder, nothingShipped_userFolderStillCreated) {
    fs::remove_all(program.path() / "system");
    EXPECT_EQ(platform::choose_data_folder(program.str(), target, system_of, never_writable),
              target);
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_FALSE(fs::exists(fs::path(target) / "system"));
}

TEST_F(DataFolder, unknownProgramFolder_isUserFolder) {
    EXPECT_EQ(platform::choose_data_folder("", user.str(), system_of), user.str());
}

TEST_F(DataFolder, folderIsWritable_tellsAndLeavesNoTrace) {
    EXPECT_TRUE(platform::folder_is_writable(user.str()));
    EXPECT_TRUE(fs::is_empty(user.path()));
    EXPECT_FALSE(platform::folder_is_writable(user.file("missing")));
}

#ifndef _WIN32
TEST_F(DataFolder, readOnlyProgramFolder_byPermissionBits) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes through permission bits";
    program.lock(program.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(platform::choose_data_folder(program.str(), target, system_of), target);
    EXPECT_EQ(target_file("matches"), "shipped");
}

class EnvVar {
  public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvVar() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(DataFolder, userDataFolder_followsXdgThenHome) {
    EnvVar home("HOME", "/home/pilot");
    {
        EnvVar xdg("XDG_DATA_HOME", "/data/pilot");
        EXPECT_EQ(platform::user_data_folder(), "/data/pilot/skelvar");
    }
    {
        EnvVar xdg("XDG_DATA_HOME", "relative/ignored");
        EXPECT_EQ(platform::user_data_folder(), "/home/pilot/.local/share/skelvar");
    }
    EnvVar xdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(platform::user_data_folder(), "/home/pilot/.local/share/skelvar");
    EnvVar no_home("HOME", "");
    EXPECT_EQ(platform::user_data_folder(), "");
}
#endif

}  // namespace
