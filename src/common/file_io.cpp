#include "common/file_io.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/text.hpp"

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

// A name no other writer in this process (or another run) will pick at the same moment.
std::string temp_suffix() {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return ".tmp" + std::to_string(ticks) + "_" + std::to_string(counter.fetch_add(1));
}

}  // namespace

std::string read_file(std::string_view path) {
    if (path.empty()) return {};
    std::error_code ec;
    const fs::path p = to_path(path);
    if (!fs::is_regular_file(p, ec)) return {};
    std::ifstream in(p, std::ios::binary);
    if (!in) return {};
    std::string data;
    const auto size = fs::file_size(p, ec);
    if (!ec) data.reserve(static_cast<std::size_t>(size));
    char buf[1 << 16];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        data.append(buf, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return {};
    return data;
}

bool write_file_atomic(std::string_view path, std::string_view bytes) {
    if (path.empty()) return false;
    const fs::path target = to_path(path);
    fs::path tmp = target;
    tmp += to_path(temp_suffix());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(tmp, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(tmp, target, ec);  // replaces the target atomically on POSIX and on Windows
    if (ec) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        return false;
    }
    return true;
}

bool savetext(std::string_view path, std::string_view buffer) {
    std::string data;
    data.reserve(buffer.size() + 2);
    data.append(buffer);
    data.append(kCrLf);
    return write_file_atomic(path, data);
}

bool append_text(std::string_view path, std::string_view line) {
    if (path.empty()) return false;
    std::ofstream out(to_path(path), std::ios::binary | std::ios::app);
    if (!out) return false;
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.write(kCrLf.data(), static_cast<std::streamsize>(kCrLf.size()));
    return static_cast<bool>(out);
}

bool file_exists(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::is_regular_file(to_path(path), ec);
}

bool file_readable(std::string_view path) {
    if (!file_exists(path)) return false;
    std::ifstream probe(to_path(path), std::ios::binary);
    return static_cast<bool>(probe);
}

bool folder_exists(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::is_directory(to_path(path), ec);
}

bool create_folder(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    fs::create_directories(to_path(path), ec);
    return folder_exists(path);
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
