#include "platform/core/data_folder.hpp"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/windows_api.hpp"
#include "platform/core/program_folder.hpp"

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path from_utf8(const std::string& s) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(s.data()), s.size()));
}

std::string to_utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

// Copies into a temporary sibling first, so an interrupted first start seeds again next time
// instead of leaving a half-filled folder that looks complete.
void seed(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_directory(from, ec) || fs::exists(to, ec)) return;
    fs::path partial = to;
    partial += ".seeding";
    fs::remove_all(partial, ec);
    fs::create_directories(partial.parent_path(), ec);
    fs::copy(from, partial, fs::copy_options::recursive, ec);
    if (!ec) fs::rename(partial, to, ec);
    if (ec) fs::remove_all(partial, ec);
}

}  // namespace

std::string user_data_folder() {
#ifdef _WIN32
    // The wide call: the ANSI environment cannot hold every user name.
    std::wstring appdata(32767, L'\0');
    const DWORD n =
        GetEnvironmentVariableW(L"APPDATA", appdata.data(), static_cast<DWORD>(appdata.size()));
    if (n == 0 || n >= appdata.size()) return {};
    appdata.resize(n);
    return to_utf8(fs::path(appdata) / "skelvar");
#else
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && fs::path(xdg).is_absolute()) return to_utf8(fs::path(xdg) / "skelvar");
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    return to_utf8(fs::path(home) / ".local" / "share" / "skelvar");
#endif
}

bool folder_is_writable(const std::string& folder) {
    if (folder.empty()) return false;
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path probe = from_utf8(folder) / (".skelvar-write-test-" + std::to_string(ticks) +
                                                "-" + std::to_string(counter++));
    bool ok = false;
    {
        std::ofstream out(probe, std::ios::binary);
        ok = out.good() && (out << 'x') && out.flush();
    }
    std::error_code ec;
    fs::remove(probe, ec);
    return ok;
}

std::string choose_data_folder(const std::string& program_folder, const std::string& user_folder,
                               const SeedFolderOf& seed_of, const WritableCheck& writable) {
    if (!program_folder.empty() && writable(program_folder)) return program_folder;
    if (user_folder.empty()) return program_folder;
    std::error_code ec;
    fs::create_directories(from_utf8(user_folder), ec);
    if (!program_folder.empty())
        seed(from_utf8(seed_of(program_folder)), from_utf8(seed_of(user_folder)));
    return user_folder;
}

std::string data_folder(const SeedFolderOf& seed_of) {
    return choose_data_folder(program_folder(), user_data_folder(), seed_of);
}

}  // namespace platform
