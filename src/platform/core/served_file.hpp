#pragma once
// Which file a request to the loopback map server may read. Plain C++ so the rules are tested
// without a server: only names made of letters, digits, "_", "-" and "." (never first) in
// folders below the served folder, only the page's own kinds of file, and only what still lies
// inside the folder once links are resolved.

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// The content type served for a file name, or "" for a kind that is not served.
std::string_view served_content_type(std::string_view file_name) noexcept;

// The canonical path of the regular file that request_path ("/imgs/p10.gif", still
// percent-encoded as received) names under root (canonical), or nothing: an empty path, a
// folder, an escape of any kind ("%", "\", "..", a leading dot, an empty segment), a file of
// a kind not served, a missing file, or a link that leads out of root.
std::optional<std::filesystem::path> served_file(const std::filesystem::path& root,
                                                 std::string_view request_path);

}  // namespace platform
