// Names beyond ASCII and Windows' own path forms, through the file routines: on Windows every
// call must reach the wide (UTF-16) API, or these names are lost in the ANSI code page.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "temp_folder.hpp"

namespace fs = std::filesystem;
using testing_support::TempFolder;

namespace {

// UTF-8 as the program holds paths.
std::string utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

fs::path from_utf8(const std::string& s) {
    return fs::path(std::u8string(s.begin(), s.end()));
}

constexpr const char* kName =
    "Z\xC3\xBCrich \xE2\x9C\x88 \xE6\x9D\xB1\xE4\xBA\xAC.log";           // Zürich ✈ 東京
constexpr const char* kFolder = "d\xC3\xA9p\xC3\xB4t \xCE\xB1\xCE\xB2";  // dépôt αβ

TEST(FileNames, nonAsciiNames_writeReadReplaceAppendListRemove) {
    TempFolder tmp;
    const std::string folder = common::join_path(utf8(tmp.path()), kFolder);
    ASSERT_TRUE(common::create_folder(folder));
    const std::string file = common::join_path(folder, kName);

    ASSERT_TRUE(common::savetext(file, "first"));
    EXPECT_EQ(common::read_file(file), "first\r\n");
    ASSERT_TRUE(common::savetext(file, "second, longer than the first"));
    ASSERT_TRUE(common::append_text(file, "more"));
    EXPECT_EQ(common::read_file(file), "second, longer than the first\r\nmore\r\n");
    EXPECT_TRUE(common::file_exists(file));
    EXPECT_TRUE(common::folder_exists(folder));

    // The name the system stored is the one given, and no temporary file was left behind.
    std::vector<std::string> stored;
    for (const auto& e : fs::directory_iterator(from_utf8(folder)))
        stored.push_back(utf8(e.path().filename()));
    EXPECT_EQ(stored, std::vector<std::string>{kName});
    EXPECT_EQ(common::list_files(folder, ".LOG"), std::vector<std::string>{kName});

    EXPECT_TRUE(common::remove_file(file));
    EXPECT_FALSE(common::file_exists(file));
    const common::ReadResult gone = common::read_file_checked(file);
    ASSERT_TRUE(gone.error);
    EXPECT_EQ(gone.error->text(), file + ": no such file");
}

TEST(FileNames, crLfBytesRoundTripUntranslated) {
    TempFolder tmp;
    const std::string file = common::join_path(utf8(tmp.path()), kName);
    const std::string bytes =
        "a\r\nb\nc\r\r\n\x1A"
        "d\r\n";  // Ctrl-Z ends text-mode reads on Windows
    ASSERT_TRUE(common::write_file_atomic(file, bytes));
    EXPECT_EQ(fs::file_size(from_utf8(file)), bytes.size());
    EXPECT_EQ(common::read_file(file), bytes);
}

// Both separators, as a user types them on Windows, reach the same file.
TEST(FileNames, mixedSeparators_nameTheSameFile) {
    TempFolder tmp;
    ASSERT_TRUE(common::create_folder(common::join_path(utf8(tmp.path()), kFolder)));
    const std::string forward = utf8(tmp.path()) + "/" + kFolder + "/" + kName;
    ASSERT_TRUE(common::savetext(forward, "x"));
    const std::string native =
        common::join_path(common::join_path(utf8(tmp.path()), kFolder), kName);
    EXPECT_EQ(common::read_file(native), "x\r\n");
    EXPECT_EQ(common::ftrim(native, common::FtrimPart::Name), kName);
#ifdef _WIN32
    const std::string backslashes = utf8(tmp.path()) + "\\" + kFolder + "\\" + kName;
    EXPECT_EQ(common::read_file(backslashes), "x\r\n");
    // The temporary folder sits on a drive: "X:\..."
    EXPECT_EQ(native.substr(1, 2), ":\\") << native;
#endif
}

// A reader holding the file open: Windows refuses the replace, which must then leave the old
// bytes and say why; POSIX replaces the name under the reader.
TEST(FileNames, replaceWhileAnotherHandleReads) {
    TempFolder tmp;
    const std::string file = common::join_path(utf8(tmp.path()), kName);
    ASSERT_TRUE(common::savetext(file, "old"));
    std::ifstream reader(from_utf8(file), std::ios::binary);
    ASSERT_TRUE(reader);
    const common::FileStatus replaced = common::savetext(file, "new");
#ifdef _WIN32
    ASSERT_FALSE(replaced);
    EXPECT_EQ(replaced.error->path, file);
    EXPECT_FALSE(replaced.error->cause.empty());
    reader.close();
    EXPECT_EQ(common::read_file(file), "old\r\n");
#else
    EXPECT_TRUE(replaced);
    EXPECT_EQ(common::read_file(file), "new\r\n");
#endif
    EXPECT_EQ(common::list_files(utf8(tmp.path()), ".log"), std::vector<std::string>{kName});
}

}  // namespace
