#include "platform/core/program_folder.hpp"

#include <filesystem>
#include <iterator>
#include <system_error>

#include "common/windows_api.hpp"

namespace platform {

std::string program_folder() {
    std::filesystem::path exe;
#ifdef _WIN32
    wchar_t buf[32768];
    const DWORD n = GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
    if (n == 0 || n >= std::size(buf)) return {};
    exe = std::filesystem::path(std::wstring(buf, n));
#else
    std::error_code ec;
    exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
#endif
    const std::u8string s = exe.parent_path().u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

}  // namespace platform
