#include "common/file_io.hpp"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <mutex>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "common/text.hpp"
#include "common/windows_api.hpp"

namespace fs = std::filesystem;

namespace common {
namespace {

fs::path to_path(std::string_view utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string from_path(const fs::path& p) {
    const std::u8string s = p.filename().u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

// Puts the finished temporary file in the target's place in one step. On Windows the wide-name
// call says so explicitly, and waits until the move is on the disk before reporting success.
void replace_with(const fs::path& tmp, const fs::path& target, std::error_code& ec) {
#ifdef _WIN32
    if (MoveFileExW(tmp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ec.clear();
    else
        ec = std::error_code(static_cast<int>(GetLastError()), std::system_category());
#else
    fs::rename(tmp, target, ec);
#endif
}

// A name no other writer in this process (or another run) will pick at the same moment.
std::string temp_suffix() {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return ".tmp" + std::to_string(ticks) + "_" + std::to_string(counter.fetch_add(1));
}

}  // namespace

std::string FileError::text() const {
    return path + ": " + cause;
}

namespace {

FileError error_of(std::string_view path, std::string cause) {
    return FileError{std::string(path), std::move(cause)};
}

// The system's description of the last failed call, or the fallback when it left none.
std::string errno_cause(int saved_errno, std::string_view fallback) {
    if (saved_errno == 0) return std::string(fallback);
    return std::error_code(saved_errno, std::generic_category()).message();
}

FileStatus failed(std::string_view path, std::string cause) {
    return FileStatus{error_of(path, std::move(cause))};
}

}  // namespace

ReadResult read_file_checked(std::string_view path) {
    return read_file_from(path, 0, std::numeric_limits<std::uint64_t>::max());
}

ReadResult read_file_from(std::string_view path, std::uint64_t offset, std::uint64_t max_bytes) {
    ReadResult r;
    if (path.empty()) {
        r.error = error_of(path, "no file name");
        return r;
    }
    const fs::path p = to_path(path);
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (ec || st.type() == fs::file_type::not_found) {
        r.error = error_of(path, ec && ec != std::errc::no_such_file_or_directory
                                     ? ec.message()
                                     : std::string("no such file"));
        return r;
    }
    if (st.type() == fs::file_type::directory) {
        r.error = error_of(path, "is a folder, not a file");
        return r;
    }
    if (st.type() != fs::file_type::regular) {
        // A FIFO or a device would block or never end.
        r.error = error_of(path, "is not a regular file");
        return r;
    }
    errno = 0;
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        r.error = error_of(path, errno_cause(errno, "cannot be opened"));
        return r;
    }
    const auto size = fs::file_size(p, ec);
    if (!ec && size > offset)
        r.data.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(size - offset, max_bytes)));
    // Seeking past the end reads nothing: a file cut shorter reads as empty from there.
    if (offset > 0 && !in.seekg(static_cast<std::streamoff>(offset))) return r;
    char buf[1 << 16];
    while (r.data.size() < max_bytes) {
        const std::uint64_t want = std::min<std::uint64_t>(sizeof buf, max_bytes - r.data.size());
        if (!in.read(buf, static_cast<std::streamsize>(want)) && in.gcount() <= 0) break;
        r.data.append(buf, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        r.error = error_of(path, errno_cause(errno, "read error"));
        r.data.clear();
    }
    return r;
}

std::optional<FileStamp> file_stamp(std::string_view path) {
    if (path.empty()) return std::nullopt;
    const fs::path p = to_path(path);
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return std::nullopt;
    // The size from an open handle: a folder entry can lag behind a file another program
    // holds open and keeps writing.
    std::ifstream in(p, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const auto end = in.tellg();
    if (end < 0) return std::nullopt;
    FileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(end);
    const auto time = fs::last_write_time(p, ec);
    if (!ec) stamp.mtime = static_cast<std::int64_t>(time.time_since_epoch().count());
    return stamp;
}

std::string read_file(std::string_view path) {
    ReadResult r = read_file_checked(path);
    return r.error ? std::string() : std::move(r.data);
}

namespace {

std::mutex fault_mutex;
std::optional<WriteFault> installed_fault;

// The fault this write meets, if any; counts down the writes it lets pass first.
std::optional<WriteFault> current_fault() {
    const std::lock_guard lock(fault_mutex);
    if (installed_fault && installed_fault->writes_before > 0) {
        --installed_fault->writes_before;
        return std::nullopt;
    }
    return installed_fault;
}

// Forces the file's bytes to the disk before the rename makes them the target's: without it a
// power cut may leave the renamed file empty.
int sync_to_disk(const fs::path& file) {
#ifdef _WIN32
    (void)file;
    return 0;
#else
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
#endif
}

struct Failure {
    int error = 0;  // errno; 0 when the system left none
    std::string_view fallback;
};

// Writes the temporary file whole and syncs it; the failure, if any.
std::optional<Failure> write_temp(const fs::path& tmp, std::string_view bytes,
                                  const std::optional<WriteFault>& fault) {
    const auto meets = [&fault](WriteFault::Step step) { return fault && fault->step == step; };
    if (meets(WriteFault::Step::Create)) return Failure{fault->error, "cannot be created"};
    errno = 0;
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return Failure{errno, "cannot be created"};
    const std::size_t size =
        meets(WriteFault::Step::Write) ? std::min(fault->bytes_before, bytes.size()) : bytes.size();
    out.write(bytes.data(), static_cast<std::streamsize>(size));
    out.flush();
    // A full disk may only show when the buffers reach it at close.
    if (out) out.close();
    if (!out) return Failure{errno, "write error"};
    if (meets(WriteFault::Step::Write)) return Failure{fault->error, "write error"};
    const int synced = meets(WriteFault::Step::Sync) ? fault->error : sync_to_disk(tmp);
    if (synced != 0) return Failure{synced, "cannot be flushed to the disk"};
    return std::nullopt;
}

}  // namespace

void set_write_fault(std::optional<WriteFault> fault) {
    const std::lock_guard lock(fault_mutex);
    installed_fault = fault;
}

FileStatus write_file_atomic(std::string_view path, std::string_view bytes) {
    if (path.empty()) return failed(path, "no file name");
    const fs::path target = to_path(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) return failed(path, "is a folder, not a file");
    fs::path tmp = target;
    tmp += to_path(temp_suffix());
    const auto discard = [&tmp] {
        std::error_code ignored;
        fs::remove(tmp, ignored);
    };
    const std::optional<WriteFault> fault = current_fault();
    if (const auto failure = write_temp(tmp, bytes, fault)) {
        discard();
        return failed(path, errno_cause(failure->error, failure->fallback));
    }
    if (fault && fault->step == WriteFault::Step::Rename) {
        ec = std::error_code(fault->error, std::generic_category());
    } else {
        replace_with(tmp, target, ec);
    }
    if (ec) {
        discard();
        return failed(path, ec.message());
    }
    return {};
}

FileStatus savetext(std::string_view path, std::string_view buffer) {
    std::string data;
    data.reserve(buffer.size() + 2);
    data.append(buffer);
    data.append(kCrLf);
    return write_file_atomic(path, data);
}

FileStatus append_text(std::string_view path, std::string_view line) {
    if (path.empty()) return failed(path, "no file name");
    errno = 0;
    std::ofstream out(to_path(path), std::ios::binary | std::ios::app);
    if (!out) return failed(path, errno_cause(errno, "cannot be opened"));
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.write(kCrLf.data(), static_cast<std::streamsize>(kCrLf.size()));
    if (out) out.close();
    if (!out) return failed(path, errno_cause(errno, "write error"));
    return {};
}

bool file_exists(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::is_regular_file(to_path(path), ec);
}

bool folder_exists(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::is_directory(to_path(path), ec);
}

FileStatus create_folder(std::string_view path) {
    if (path.empty()) return failed(path, "no folder name");
    std::error_code ec;
    if (fs::exists(to_path(path), ec) && !folder_exists(path)) {
        return failed(path, "a file of that name is in the way");
    }
    fs::create_directories(to_path(path), ec);
    if (folder_exists(path)) return {};
    return failed(path, ec ? ec.message() : std::string("cannot be created"));
}

bool remove_file(std::string_view path) {
    if (path.empty()) return true;
    std::error_code ec;
    fs::remove(to_path(path), ec);
    return !file_exists(path);
}

std::vector<std::string> list_files(std::string_view folder, std::string_view extension) {
    std::vector<std::string> names;
    if (folder.empty()) return names;
    std::error_code ec;
    fs::directory_iterator it(to_path(folder), ec), end;
    const std::string ext = to_lower(extension);
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (!it->is_regular_file(type_ec)) continue;
        std::string name = from_path(it->path());
        if (name.size() < ext.size()) continue;
        if (to_lower(std::string_view(name).substr(name.size() - ext.size())) != ext) continue;
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = to_lower(a), lb = to_lower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

}  // namespace common
