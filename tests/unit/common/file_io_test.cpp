#include "common/file_io.hpp"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

namespace {

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

void expect_unreadable(const std::string& path, const std::string& cause) {
    const common::ReadResult r = common::read_file_checked(path);
    EXPECT_EQ(r.error, (common::FileError{path, cause})) << r.error->text();
    EXPECT_EQ(r.data, "");
    EXPECT_EQ(common::read_file(path), "");
}

TEST(ReadFileChecked, namesThePathAndTheCause) {
    TempFolder tmp;
    put(tmp.file("file"), "x");
    std::vector<std::pair<std::string, const char*>> cases = {
        {"", "no file name"},
        {tmp.file("missing"), "no such file"},
        {tmp.str(), "is a folder, not a file"},
    };
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(tmp.file("fifo").c_str(), 0600), 0);
    cases.push_back({tmp.file("fifo"), "is not a regular file"});
    cases.push_back({tmp.file("file") + "/inner", "Not a directory"});
    ::alarm(20);  // a FIFO opened for reading would block: end the run instead of hanging
#endif
    for (const auto& [path, cause] : cases) expect_unreadable(path, cause);
#ifndef _WIN32
    ::alarm(0);
#endif
}

// The failures below carry the causes the POSIX system gives.
#ifndef _WIN32

// Past a small file-size limit a write fails as on a full disk: only once data reaches the file.
struct SmallFileSizeLimit {
    static constexpr rlim_t kBytes = 1024;
    SmallFileSizeLimit() {
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = kBytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
        old_handler = std::signal(SIGXFSZ, SIG_IGN);  // report the error instead of stopping
    }
    ~SmallFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, old_handler);
    }
    rlimit old{};
    void (*old_handler)(int) = SIG_DFL;
};

using Write = common::FileStatus (*)(std::string_view path);
const Write write_atomic = [](std::string_view p) { return common::write_file_atomic(p, "new"); };
const Write append = [](std::string_view p) { return common::append_text(p, "new"); };
const Write create_folder = [](std::string_view p) { return common::create_folder(p); };

// The failure names the path and the cause, and leaves no temporary file and the old files.
void expect_write_failure(const TempFolder& tmp, const std::string& path, Write write,
                          const std::string& cause) {
    const auto before = snapshot(tmp.path());
    const common::FileStatus status = write(path);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.error, (common::FileError{path, cause})) << status.error->text();
    EXPECT_EQ(snapshot(tmp.path()), before);
}

TEST(WriteFailure, namesThePathAndTheCauseAndChangesNothing) {
    TempFolder tmp;
    fs::create_directory(tmp.path() / "matches");
    put(tmp.file("matches/inside"), "keep");
    put(tmp.file("file"), "x");
    put(tmp.file("rdr"), std::string(SmallFileSizeLimit::kBytes, 'x'));
    const std::string folder = tmp.file("matches"), in_missing = tmp.file("absent/file");
    // Less than the stream's buffer, so the failure shows only at the flush.
    const Write write_on_full_disk = [](std::string_view p) {
        SmallFileSizeLimit limit;
        return common::write_file_atomic(p, std::string(2 * SmallFileSizeLimit::kBytes, 'x'));
    };
    const Write append_on_full_disk = [](std::string_view p) {
        SmallFileSizeLimit limit;
        return append(p);
    };
    const struct {
        std::string path;
        Write write;
        const char* cause;
    } cases[] = {
        {folder, write_atomic, "is a folder, not a file"},
        {in_missing, write_atomic, "No such file or directory"},
        {"", write_atomic, "no file name"},
        {tmp.file("file"), write_on_full_disk, "File too large"},
        {folder, append, "Is a directory"},
        {in_missing, append, "No such file or directory"},
        {"", append, "no file name"},
        {tmp.file("rdr"), append_on_full_disk, "File too large"},
        {tmp.file("file") + "/inner", create_folder, "Not a directory"},
        {tmp.file("file"), create_folder, "a file of that name is in the way"},
        {"", create_folder, "no folder name"},
    };
    for (const auto& c : cases) expect_write_failure(tmp, c.path, c.write, c.cause);
}

TEST(FilePermissions, withoutThemReadsAndWritesFailWithPermissionDeniedAndNothingChanges) {
    if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
    TempFolder tmp;
    put(tmp.file("file"), "x");
    tmp.lock(tmp.file("file"), fs::perms::owner_write);
    expect_unreadable(tmp.file("file"), "Permission denied");
    fs::create_directory(tmp.path() / "locked");
    put(tmp.file("locked/file"), "old");
    tmp.lock(tmp.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    expect_write_failure(tmp, tmp.file("locked/file"), write_atomic, "Permission denied");
    expect_write_failure(tmp, tmp.file("locked/new"), append, "Permission denied");
    expect_write_failure(tmp, tmp.file("locked/new"), create_folder, "Permission denied");
    tmp.lock(tmp.path() / "locked", fs::perms::none);
    expect_unreadable(tmp.file("locked/file"), "Permission denied");
}
#endif  // _WIN32

TEST(Writes, everyByteRoundTrips_savetextAddsCrLf_appendCreatesThenAppends) {
    TempFolder tmp;
    std::string bytes(300000, 'x');
    for (std::size_t i = 0; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(i % 251);
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    bytes += "\r\n\n\r\x1A\0tail"s;  // line ends, end-of-file mark and NUL are plain bytes
    const std::string path = tmp.file("mm.dat");
    ASSERT_TRUE(common::write_file_atomic(path, bytes));
    const common::ReadResult read = common::read_file_checked(path);
    EXPECT_EQ(read.error, std::nullopt);
    EXPECT_TRUE(read.data == bytes);  // no 300 kB dump on failure
    for (const auto& [buffer, file] :
         {std::pair{"one\r\ntwo\r\n", "one\r\ntwo\r\n\r\n"}, std::pair{"", "\r\n"}}) {
        ASSERT_TRUE(common::savetext(path, buffer));
        EXPECT_EQ(common::read_file(path), file);
    }
    EXPECT_EQ(snapshot(tmp.path()).size(), 1u);  // no temporary file left
    put(tmp.file("empty"), "");
    EXPECT_EQ(common::read_file_checked(tmp.file("empty")).error, std::nullopt);

    for (const char* line : {"one", "", "two"})
        ASSERT_TRUE(common::append_text(tmp.file("rdr"), line));
    EXPECT_EQ(common::read_file(tmp.file("rdr")), "one\r\n\r\ntwo\r\n");
}

TEST(FileSystem, listExistCreateRemove) {
    TempFolder tmp;
    for (const char* name : {"b.txt", "A.txt", "c.TXT", "d.log", "e.txt.bak", "txt", "a0.txt"})
        put(tmp.file(name), "x");
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
