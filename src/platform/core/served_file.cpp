#include "platform/core/served_file.hpp"

#include <algorithm>
#include <array>
#include <system_error>
#include <utility>

namespace platform {
namespace {

bool is_name_char(char c) noexcept {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

char lower(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string_view served_content_type(std::string_view file_name) noexcept {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kTypes{{
        {".htm", "text/html; charset=utf-8"},
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".png", "image/png"},
        {".gif", "image/gif"},
        {".svg", "image/svg+xml"},
    }};
    const std::size_t dot = file_name.rfind('.');
    if (dot == std::string_view::npos) return {};
    const std::string_view ext = file_name.substr(dot);
    for (const auto& [known, type] : kTypes) {
        if (known.size() == ext.size() &&
            std::equal(known.begin(), known.end(), ext.begin(),
                       [](char a, char b) { return a == lower(b); })) {
            return type;
        }
    }
    return {};
}

std::optional<std::filesystem::path> served_file(const std::filesystem::path& root,
                                                 std::string_view request_path) {
    if (request_path.empty() || request_path.front() != '/') return std::nullopt;
    std::string_view rest = request_path.substr(1);
    if (rest.empty()) return std::nullopt;
    std::filesystem::path file = root;
    while (true) {
        const std::size_t slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        if (segment.empty() || segment.front() == '.' ||
            !std::all_of(segment.begin(), segment.end(), is_name_char)) {
            return std::nullopt;
        }
        file /= std::string(segment);
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    if (served_content_type(file.filename().string()).empty()) return std::nullopt;
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::canonical(file, ec);
    if (ec || !std::filesystem::is_regular_file(canonical, ec) || ec) return std::nullopt;
    // A link inside the folder may point anywhere; what it resolves to must stay inside.
    const auto [root_end, file_it] =
        std::mismatch(root.begin(), root.end(), canonical.begin(), canonical.end());
    if (root_end != root.end()) return std::nullopt;
    return canonical;
}

}  // namespace platform
