#include "platform/core/program_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/windows_api.hpp"
#include "platform/core/data_folder.hpp"
#include "platform/core/program_arguments.hpp"

namespace fs = std::filesystem;

namespace {

fs::path from_utf8(const std::string& s) {
    return fs::path(std::u8string(s.begin(), s.end()));
}

TEST(ProgramFolder, holdsThisTestProgram) {
    const std::string folder = platform::program_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_FALSE(folder.ends_with('/') || folder.ends_with('\\')) << folder;
    bool found = false;
    for (const auto& e : fs::directory_iterator(from_utf8(folder)))
        found = found || e.path().stem() == "unit_platform";
    EXPECT_TRUE(found) << folder;
#ifdef _WIN32
    // GetModuleFileNameW's form: a drive letter and backslashes.
    EXPECT_EQ(folder.substr(1, 2), ":\\") << folder;
    EXPECT_EQ(folder.find('/'), std::string::npos) << folder;
#endif
}

#ifdef _WIN32
TEST(ProgramFolder, userDataFolder_takesAppDataBeyondAscii) {
    std::wstring saved(32767, L'\0');
    saved.resize(GetEnvironmentVariableW(L"APPDATA", saved.data(), 32767));
    SetEnvironmentVariableW(L"APPDATA", L"C:\\Users\\Zo\u00eb \u6771\u4eac\\AppData\\Roaming");
    EXPECT_EQ(platform::user_data_folder(),
              "C:\\Users\\Zo\xC3\xAB \xE6\x9D\xB1\xE4\xBA\xAC\\AppData\\Roaming\\skelvar");
    SetEnvironmentVariableW(L"APPDATA", L"");
    EXPECT_EQ(platform::user_data_folder(), "");
    SetEnvironmentVariableW(L"APPDATA", saved.empty() ? nullptr : saved.c_str());
}
#else
TEST(ProgramArguments, areTheArgumentsAfterTheName) {
    char name[] = "skelvar-cli", a[] = "analyze", b[] = "Z\xC3\xBCrich.log";
    char* argv[] = {name, a, b, nullptr};
    EXPECT_EQ(platform::program_arguments(3, argv),
              (std::vector<std::string>{"analyze", "Z\xC3\xBCrich.log"}));
    EXPECT_TRUE(platform::program_arguments(1, argv).empty());
    EXPECT_TRUE(platform::program_arguments(0, argv).empty());
}
#endif

}  // namespace
