#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace testing_support {

class TempFolder {
  public:
    explicit TempFolder(
        const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        static std::atomic<unsigned> counter{0};
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = base / ("skelvar-test-" + std::to_string(ticks) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        // What a test locked is given back first, or it could not be removed.
        for (const auto& p : locked_)
            std::filesystem::permissions(p, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::string file(std::string_view name) const { return (path_ / name).string(); }
    void lock(const std::filesystem::path& p, std::filesystem::perms perms) {
        std::filesystem::permissions(p, perms);
        locked_.push_back(p);
    }

  private:
    std::filesystem::path path_;
    std::vector<std::filesystem::path> locked_;
};

}  // namespace testing_support
