#include "platform/core/served_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../common/temp_folder.hpp"

namespace fs = std::filesystem;

namespace {

TEST(ServedFile, contentTypesOfThePageFilesOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"mm.htm", "text/html; charset=utf-8"},
        {"a.HTML", "text/html; charset=utf-8"},
        {"apmm.js", "text/javascript; charset=utf-8"},
        {"leaflet.css", "text/css; charset=utf-8"},
        {"p10.gif", "image/gif"},
        {"x.Png", "image/png"},
        {"i.svg", "image/svg+xml"},
        {"airplst", ""},
        {"mm.dat", ""},
        {"a.js.map", ""},
        {"js", ""}};
    for (const auto& [name, type] : cases) EXPECT_EQ(platform::served_content_type(name), type);
}

TEST(ServedFile, onlyFilesInsideTheFolder) {
    testing_support::TempFolder dir;
    const fs::path system = dir.path() / "system";
    fs::create_directories(system / "imgs");
    for (const fs::path& p : {system / "mm.htm", system / "imgs" / "p10.gif",
                              dir.path() / "secret.js", system / ".hidden.js"}) {
        std::ofstream(p) << "x";
    }
    fs::create_symlink(dir.path() / "secret.js", system / "out.js");
    fs::create_symlink(system / "mm.htm", system / "in.htm");
    fs::create_directories(system / "dir.js");
    const fs::path root = fs::canonical(system);

    struct Case {
        std::string_view path;
        const char* want;  // relative to the folder, "" when refused
    };
    const Case cases[] = {
        {"/mm.htm", "mm.htm"},
        {"/imgs/p10.gif", "imgs/p10.gif"},
        {"/in.htm", "mm.htm"},
        {"/out.js", ""},
        {"/../secret.js", ""},
        {"/imgs/../../secret.js", ""},
        {"/%2e%2e/secret.js", ""},
        {"/..%2fsecret.js", ""},
        {"/..\\secret.js", ""},
        {"/.hidden.js", ""},
        {"/./mm.htm", ""},
        {"//mm.htm", ""},
        {"/imgs/", ""},
        {"/", ""},
        {"", ""},
        {"mm.htm", ""},
        {"/dir.js", ""},
        {"/missing.htm", ""},
        {"/C:/mm.htm", ""},
        {std::string_view("/mm.htm\0.js", 11), ""},
    };
    for (const Case& c : cases) {
        const auto got = platform::served_file(root, c.path);
        if (*c.want == '\0') {
            EXPECT_FALSE(got) << c.path.substr(0, 8) << " gave " << got->string();
        } else {
            ASSERT_TRUE(got) << c.path;
            EXPECT_EQ(*got, root / c.want) << c.path;
        }
    }
}

}  // namespace
