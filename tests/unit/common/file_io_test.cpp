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
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ReadFile, emptyPathMissingFileAndEmptyFileAllReadAsEmpty) {
    TempFolder tmp;
    EXPECT_EQ(common::read_file(""), "");
    EXPECT_EQ(common::read_file(tmp.file("missing")), "");
    put(tmp.file("empty"), "");
    EXPECT_EQ(common::read_file(tmp.file("empty")), "");
    EXPECT_EQ(common::read_file(tmp.str()), "");  // a folder is not a file
}

TEST(ReadWrite, everyByteValueRoundTripsUnchanged) {
    TempFolder tmp;
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    bytes += "\r\n\n\r\x1A\0tail"s;  // line ends, end-of-file mark and NUL are plain bytes
    const std::string path = tmp.file("all");
    ASSERT_TRUE(common::write_file_atomic(path, bytes));
    EXPECT_EQ(fs::file_size(path), bytes.size());
    EXPECT_EQ(common::read_file(path), bytes);
}

TEST(ReadWrite, largeFileRoundTrips) {
    TempFolder tmp;
    std::string bytes(300000, 'x');
    for (std::size_t i = 0; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(i % 251);
    ASSERT_TRUE(common::write_file_atomic(tmp.file("big"), bytes));
    EXPECT_EQ(common::read_file(tmp.file("big")), bytes);
}

TEST(Savetext, appendsOneCrLfToTheBuffer) {
    TempFolder tmp;
    ASSERT_TRUE(common::savetext(tmp.file("a"), "one\r\ntwo\r\n"));
    EXPECT_EQ(common::read_file(tmp.file("a")), "one\r\ntwo\r\n\r\n");
    ASSERT_TRUE(common::savetext(tmp.file("b"), ""));
    EXPECT_EQ(common::read_file(tmp.file("b")), "\r\n");
}

TEST(WriteFileAtomic, replacesTheWholeFileAndLeavesNoTemporaryFile) {
    TempFolder tmp;
    const std::string path = tmp.file("mm.dat");
    put(path, std::string(1000, 'o'));
    ASSERT_TRUE(common::write_file_atomic(path, "new"));
    EXPECT_EQ(common::read_file(path), "new");
    EXPECT_EQ(entries(tmp.path()), std::vector<std::string>{"mm.dat"});
}

TEST(WriteFileAtomic, missingTargetFolderFailsAndCreatesNothing) {
    TempFolder tmp;
    const std::string path = (tmp.path() / "absent" / "file").string();
    EXPECT_FALSE(common::write_file_atomic(path, "x"));
    EXPECT_FALSE(common::savetext(path, "x"));
    EXPECT_FALSE(fs::exists(tmp.path() / "absent"));
    EXPECT_TRUE(entries(tmp.path()).empty());
}

TEST(WriteFileAtomic, failedRenameKeepsTheOldTargetAndRemovesTheTemporaryFile) {
    TempFolder tmp;
    // A folder in the target's place makes the final rename fail after the data was written.
    const fs::path target = tmp.path() / "matches";
    fs::create_directory(target);
    put((target / "inside").string(), "keep");
    EXPECT_FALSE(common::write_file_atomic(target.string(), "data"));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(common::read_file((target / "inside").string()), "keep");
    EXPECT_EQ(entries(tmp.path()), std::vector<std::string>{"matches"});
}

TEST(WriteFileAtomic, emptyPathFails) {
    EXPECT_FALSE(common::write_file_atomic("", "x"));
}

TEST(AppendText, createsTheFileThenAppendsLinesWithCrLf) {
    TempFolder tmp;
    const std::string path = tmp.file("rdr");
    ASSERT_TRUE(common::append_text(path, "one"));
    ASSERT_TRUE(common::append_text(path, ""));
    ASSERT_TRUE(common::append_text(path, "two"));
    EXPECT_EQ(common::read_file(path), "one\r\n\r\ntwo\r\n");
}

TEST(AppendText, missingFolderOrEmptyPathFails) {
    TempFolder tmp;
    EXPECT_FALSE(common::append_text((tmp.path() / "absent" / "rdr").string(), "x"));
    EXPECT_FALSE(common::append_text("", "x"));
}

TEST(ListFiles, namesInOrderIgnoringCaseFilteredByExtension) {
    TempFolder tmp;
    for (const char* name : {"b.txt", "A.txt", "c.TXT", "d.log", "e.txt.bak", "txt", "a0.txt"}) {
        put(tmp.file(name), "x");
    }
    fs::create_directory(tmp.path() / "folder.txt");  // folders are not listed
    EXPECT_EQ(common::list_files(tmp.str(), ".txt"),
              (std::vector<std::string>{"A.txt", "a0.txt", "b.txt", "c.TXT"}));
}

TEST(ListFiles, missingOrEmptyFolderGivesNoNames) {
    TempFolder tmp;
    EXPECT_TRUE(common::list_files(tmp.str(), ".txt").empty());
    EXPECT_TRUE(common::list_files(tmp.file("absent"), ".txt").empty());
    EXPECT_TRUE(common::list_files("", ".txt").empty());
}

TEST(FileSystem, existenceTestsTellFilesFromFolders) {
    TempFolder tmp;
    put(tmp.file("f"), "x");
    EXPECT_TRUE(common::file_exists(tmp.file("f")));
    EXPECT_FALSE(common::folder_exists(tmp.file("f")));
    EXPECT_TRUE(common::folder_exists(tmp.str()));
    EXPECT_FALSE(common::file_exists(tmp.str()));
    EXPECT_FALSE(common::file_exists(""));
    EXPECT_FALSE(common::folder_exists(""));
}

TEST(FileSystem, createFolderAndRemoveFileReportTheResultingState) {
    TempFolder tmp;
    const std::string nested = (tmp.path() / "system" / "imgs").string();
    EXPECT_TRUE(common::create_folder(nested));
    EXPECT_TRUE(common::create_folder(nested));  // already there
    EXPECT_TRUE(fs::is_directory(nested));

    put(tmp.file("tmp"), "x");
    EXPECT_TRUE(common::remove_file(tmp.file("tmp")));
    EXPECT_FALSE(fs::exists(tmp.file("tmp")));
    EXPECT_TRUE(common::remove_file(tmp.file("tmp")));  // nothing left to remove
}

}  // namespace
