#include "common/file_io.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "temp_folder.hpp"

namespace fs = std::filesystem;
using testing_support::TempFolder;
using namespace std::string_literals;

namespace {

std::vector<std::string> entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ReadFile, emptyPathMissingFileEmptyFileAndFolderAllReadAsEmpty) {
    TempFolder tmp;
    put(tmp.file("empty"), "");
    for (const std::string& path :
         {std::string(), tmp.file("missing"), tmp.file("empty"), tmp.str()}) {
        EXPECT_EQ(common::read_file(path), "") << path;
    }
}

TEST(WriteFileAtomic, everyByteRoundTripsAndTheWholeFileIsReplaced) {
    TempFolder tmp;
    std::string bytes(300000, 'x');
    for (std::size_t i = 0; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(i % 251);
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    bytes += "\r\n\n\r\x1A\0tail"s;  // line ends, end-of-file mark and NUL are plain bytes
    const std::string path = tmp.file("mm.dat");
    ASSERT_TRUE(common::write_file_atomic(path, bytes));
    EXPECT_EQ(fs::file_size(path), bytes.size());
    EXPECT_EQ(common::read_file(path), bytes);
    ASSERT_TRUE(common::write_file_atomic(path, "new"));
    EXPECT_EQ(common::read_file(path), "new");
    EXPECT_EQ(entries(tmp.path()), std::vector<std::string>{"mm.dat"});  // no temporary file
    // savetext adds one CR LF to the buffer.
    ASSERT_TRUE(common::savetext(path, "one\r\ntwo\r\n"));
    EXPECT_EQ(common::read_file(path), "one\r\ntwo\r\n\r\n");
    ASSERT_TRUE(common::savetext(path, ""));
    EXPECT_EQ(common::read_file(path), "\r\n");
}

TEST(WriteFileAtomic, failuresKeepTheOldStateAndLeaveNothingBehind) {
    TempFolder tmp;
    const std::string in_missing = (tmp.path() / "absent" / "file").string();
    EXPECT_FALSE(common::write_file_atomic(in_missing, "x"));
    EXPECT_FALSE(common::savetext(in_missing, "x"));
    EXPECT_FALSE(common::write_file_atomic("", "x"));
    EXPECT_TRUE(entries(tmp.path()).empty());
    // A folder in the target's place makes the final rename fail after the data was written.
    const fs::path target = tmp.path() / "matches";
    fs::create_directory(target);
    put((target / "inside").string(), "keep");
    EXPECT_FALSE(common::write_file_atomic(target.string(), "data"));
    EXPECT_EQ(common::read_file((target / "inside").string()), "keep");
    EXPECT_EQ(entries(tmp.path()), std::vector<std::string>{"matches"});
}

TEST(AppendText, createsTheFileThenAppendsLinesWithCrLf) {
    TempFolder tmp;
    const std::string path = tmp.file("rdr");
    for (const char* line : {"one", "", "two"}) ASSERT_TRUE(common::append_text(path, line));
    EXPECT_EQ(common::read_file(path), "one\r\n\r\ntwo\r\n");
    EXPECT_FALSE(common::append_text((tmp.path() / "absent" / "rdr").string(), "x"));
    EXPECT_FALSE(common::append_text("", "x"));
}

TEST(FileSystem, listExistCreateRemove) {
    TempFolder tmp;
    for (const char* name : {"b.txt", "A.txt", "c.TXT", "d.log", "e.txt.bak", "txt", "a0.txt"}) {
        put(tmp.file(name), "x");
    }
    fs::create_directory(tmp.path() / "folder.txt");  // folders are not listed
    EXPECT_EQ(common::list_files(tmp.str(), ".txt"),
              (std::vector<std::string>{"A.txt", "a0.txt", "b.txt", "c.TXT"}));
    EXPECT_TRUE(common::list_files(tmp.file("absent"), ".txt").empty());
    EXPECT_TRUE(common::list_files("", ".txt").empty());

    EXPECT_FALSE(common::folder_exists(tmp.file("b.txt")));
    EXPECT_FALSE(common::file_exists(tmp.str()));

    const std::string nested = (tmp.path() / "system" / "imgs").string();
    EXPECT_TRUE(common::create_folder(nested));
    EXPECT_TRUE(common::create_folder(nested));  // already there
    EXPECT_TRUE(fs::is_directory(nested));
    EXPECT_TRUE(common::remove_file(tmp.file("b.txt")));
    EXPECT_FALSE(fs::exists(tmp.file("b.txt")));
    EXPECT_TRUE(common::remove_file(tmp.file("b.txt")));  // nothing left to remove
}

}  // namespace
