#include "common/file_io.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "temp_folder.hpp"

namespace fs = std::filesystem;
using testing_support::TempFolder;
using namespace std::string_literals;

namespace common {
void PrintTo(const FileError& e, std::ostream* os) {
    *os << e.text();
}
}  // namespace common

namespace {

std::vector<std::string> entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Every file and folder under root with the files' bytes, to see that a failure changed nothing.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> all;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        all[e.path().lexically_relative(root).string()] =
            e.is_regular_file() ? common::read_file(e.path().string()) : "<folder>";
    }
    return all;
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A temporary folder whose cases may lock parts of it; they are unlocked before removal.
class Folder {
  public:
    ~Folder() {
        std::error_code ec;
        for (const auto& p : locked_) fs::permissions(p, fs::perms::owner_all, ec);
    }
    std::string file(std::string_view name) const { return tmp_.file(name); }
    const fs::path& path() const { return tmp_.path(); }
    void lock(const fs::path& p, fs::perms perms) {
        fs::permissions(p, perms);
        locked_.push_back(p);
    }

  private:
    TempFolder tmp_;
    std::vector<fs::path> locked_;
};

struct FailureCase {
    const char* name;
    bool needs_permission_checks;      // root passes whatever the permission bits say
    std::string (*make)(Folder& tmp);  // the path to use, with its obstacle in place
    const char* cause;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

bool skip_for_root(const FailureCase& c) {
    return c.needs_permission_checks && ::geteuid() == 0;
}

class ReadFileChecked : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ReadFileChecked, namesThePathAndTheCauseAndReturnsNoData) {
    const FailureCase& c = GetParam();
    if (skip_for_root(c)) GTEST_SKIP() << "permission bits do not stop root";
    Folder tmp;
    const std::string path = c.make(tmp);
    ::alarm(20);  // a FIFO opened for reading would block: end the run instead of hanging
    const common::ReadResult r = common::read_file_checked(path);
    ::alarm(0);
    EXPECT_EQ(r.error, (common::FileError{path, c.cause}));
    EXPECT_EQ(r.data, "");
    EXPECT_EQ(common::read_file(path), "");
}

std::string in_locked_folder(Folder& tmp, fs::perms perms) {
    const fs::path folder = tmp.path() / "locked";
    fs::create_directory(folder);
    put((folder / "file").string(), "x");
    tmp.lock(folder, perms);
    return (folder / "file").string();
}

INSTANTIATE_TEST_SUITE_P(
    Causes, ReadFileChecked,
    ::testing::Values(
        FailureCase{"emptyPath", false, [](Folder&) { return std::string(); }, "no file name"},
        FailureCase{"missing", false, [](Folder& t) { return t.file("missing"); }, "no such file"},
        FailureCase{"folder", false, [](Folder& t) { return t.path().string(); },
                    "is a folder, not a file"},
        FailureCase{"fifo", false,
                    [](Folder& t) {
                        EXPECT_EQ(::mkfifo(t.file("fifo").c_str(), 0600), 0);
                        return t.file("fifo");
                    },
                    "is not a regular file"},
        FailureCase{"nameLongerThan255Bytes", false,
                    [](Folder& t) { return t.file(std::string(256, 'x')); }, "File name too long"},
        FailureCase{"throughAFile", false,
                    [](Folder& t) {
                        put(t.file("file"), "x");
                        return t.file("file") + "/inner";
                    },
                    "Not a directory"},
        FailureCase{"fileWithoutReadPermission", true,
                    [](Folder& t) {
                        put(t.file("file"), "x");
                        t.lock(t.file("file"), fs::perms::owner_write);
                        return t.file("file");
                    },
                    "Permission denied"},
        FailureCase{"folderWithoutPermission", true,
                    [](Folder& t) { return in_locked_folder(t, fs::perms::none); },
                    "Permission denied"}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteFailureCase {
    const char* name;
    bool needs_permission_checks;
    std::string (*make)(Folder& tmp);
    common::FileStatus (*write)(std::string_view path);
    const char* cause;
};

void PrintTo(const WriteFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteFailure : public ::testing::TestWithParam<WriteFailureCase> {};

TEST_P(WriteFailure, namesThePathAndTheCauseAndChangesNothing) {
    const WriteFailureCase& c = GetParam();
    if (c.needs_permission_checks && ::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    Folder tmp;
    const std::string path = c.make(tmp);
    const auto before = snapshot(tmp.path());
    const common::FileStatus status = c.write(path);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.error, (common::FileError{path, c.cause}));
    EXPECT_EQ(snapshot(tmp.path()), before);  // no temporary file left, old files kept
}

common::FileStatus write_atomic(std::string_view path) {
    return common::write_file_atomic(path, "new");
}
common::FileStatus savetext(std::string_view path) {
    return common::savetext(path, "new");
}
common::FileStatus append(std::string_view path) {
    return common::append_text(path, "new");
}
common::FileStatus create_folder(std::string_view path) {
    return common::create_folder(path);
}

std::string folder_with_a_file(Folder& t) {
    fs::create_directory(t.path() / "matches");
    put(t.file("matches/inside"), "keep");
    return t.file("matches");
}
std::string in_missing_folder(Folder& t) {
    return t.file("absent/file");
}
std::string empty_path(Folder&) {
    return {};
}
std::string under_a_file(Folder& t) {
    put(t.file("file"), "x");
    return t.file("file/inner");
}
std::string in_read_only_folder(Folder& t) {
    return in_locked_folder(t, fs::perms::owner_read | fs::perms::owner_exec);
}
// Past a small file-size limit a write fails as on a full disk: only once data reaches the file.
class SmallFileSizeLimit {
  public:
    static constexpr rlim_t kBytes = 1024;
    SmallFileSizeLimit() {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = kBytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);  // report the error instead of stopping
    }
    ~SmallFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }
    SmallFileSizeLimit(const SmallFileSizeLimit&) = delete;
    SmallFileSizeLimit& operator=(const SmallFileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*old_handler_)(int) = SIG_DFL;
};

common::FileStatus write_atomic_on_full_disk(std::string_view path) {
    SmallFileSizeLimit limit;
    return common::write_file_atomic(path, std::string(2 * SmallFileSizeLimit::kBytes, 'x'));
}
common::FileStatus append_on_full_disk(std::string_view path) {
    SmallFileSizeLimit limit;
    return common::append_text(path, "new");
}

std::string old_file(Folder& t) {
    put(t.file("mm.dat"), "old");
    return t.file("mm.dat");
}
std::string file_at_the_limit(Folder& t) {
    put(t.file("rdr"), std::string(SmallFileSizeLimit::kBytes, 'x'));
    return t.file("rdr");
}

std::string new_in_read_only_folder(Folder& t) {
    return in_read_only_folder(t) + "-new";
}

INSTANTIATE_TEST_SUITE_P(
    Causes, WriteFailure,
    ::testing::Values(
        WriteFailureCase{"atomicOverAFolder", false, folder_with_a_file, write_atomic,
                         "is a folder, not a file"},
        WriteFailureCase{"atomicInAMissingFolder", false, in_missing_folder, write_atomic,
                         "No such file or directory"},
        WriteFailureCase{"atomicEmptyPath", false, empty_path, write_atomic, "no file name"},
        WriteFailureCase{"atomicInAReadOnlyFolder", true, in_read_only_folder, write_atomic,
                         "Permission denied"},
        WriteFailureCase{"atomicOnAFullDisk", false, old_file, write_atomic_on_full_disk,
                         "File too large"},
        WriteFailureCase{"savetextInAMissingFolder", false, in_missing_folder, savetext,
                         "No such file or directory"},
        WriteFailureCase{"appendToAFolder", false, folder_with_a_file, append, "Is a directory"},
        WriteFailureCase{"appendInAMissingFolder", false, in_missing_folder, append,
                         "No such file or directory"},
        WriteFailureCase{"appendOnAFullDisk", false, file_at_the_limit, append_on_full_disk,
                         "File too large"},
        WriteFailureCase{"appendEmptyPath", false, empty_path, append, "no file name"},
        WriteFailureCase{"appendNewFileInAReadOnlyFolder", true, new_in_read_only_folder, append,
                         "Permission denied"},
        WriteFailureCase{"createFolderUnderAFile", false, under_a_file, create_folder,
                         "Not a directory"},
        WriteFailureCase{"createFolderEmptyPath", false, empty_path, create_folder,
                         "no folder name"},
        WriteFailureCase{"createFolderInAReadOnlyFolder", true, new_in_read_only_folder,
                         create_folder, "Permission denied"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteFileAtomic, everyByteRoundTripsAndTheWholeFileIsReplaced) {
    TempFolder tmp;
    std::string bytes(300000, 'x');
    for (std::size_t i = 0; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(i % 251);
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    bytes += "\r\n\n\r\x1A\0tail"s;  // line ends, end-of-file mark and NUL are plain bytes
    const std::string path = tmp.file("mm.dat");
    ASSERT_TRUE(common::write_file_atomic(path, bytes));
    EXPECT_EQ(fs::file_size(path), bytes.size());
    const common::ReadResult read = common::read_file_checked(path);
    EXPECT_EQ(read.error, std::nullopt);
    EXPECT_EQ(read.data, bytes);
    ASSERT_TRUE(common::write_file_atomic(path, "new"));
    EXPECT_EQ(common::read_file(path), "new");
    EXPECT_EQ(entries(tmp.path()), std::vector<std::string>{"mm.dat"});  // no temporary file
    // savetext adds one CR LF to the buffer.
    ASSERT_TRUE(common::savetext(path, "one\r\ntwo\r\n"));
    EXPECT_EQ(common::read_file(path), "one\r\ntwo\r\n\r\n");
    ASSERT_TRUE(common::savetext(path, ""));
    EXPECT_EQ(common::read_file(path), "\r\n");
    put(tmp.file("empty"), "");
    EXPECT_EQ(common::read_file_checked(tmp.file("empty")).error, std::nullopt);
}

TEST(AppendText, createsTheFileThenAppendsLinesWithCrLf) {
    TempFolder tmp;
    const std::string path = tmp.file("rdr");
    for (const char* line : {"one", "", "two"}) ASSERT_TRUE(common::append_text(path, line));
    EXPECT_EQ(common::read_file(path), "one\r\n\r\ntwo\r\n");
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
