// libFuzzer target: any request path to the loopback map server. Whatever it names, a file is
// served only from inside the served folder: the folder holds links that lead out of it (to a
// file, to a folder, to a sibling whose name starts with the folder's), a link that stays
// inside, a folder and a FIFO with served names. A served file is a regular file of a served
// kind, and the request held no escape.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_input.hpp"
#include "platform/core/served_file.hpp"

namespace fs = std::filesystem;

namespace {

struct Tree {
    fs::path base, root;

    Tree() {
        base = fs::temp_directory_path() / ("skelvar-served-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(base);
        root = base / "system";
        fs::create_directories(root / "imgs");
        fs::create_directories(root / "folder.js");
        fs::create_directories(base / "system2");
        for (const fs::path& f : {root / "mm.htm", root / "apmm.js", root / "imgs" / "p10.gif",
                                  base / "secret.js", base / "system2" / "other.js"}) {
            std::ofstream(f) << "x";
        }
        fs::create_symlink(base / "secret.js", root / "out.js");
        fs::create_symlink(base, root / "up");
        fs::create_symlink(base / "system2", root / "sibling");
        fs::create_symlink(root / "mm.htm", root / "imgs" / "in.htm");
        ::mkfifo((root / "pipe.js").c_str(), 0600);
        root = fs::canonical(root);
        std::atexit([] { fs::remove_all(tree().base); });
    }

    static Tree& tree() {
        static Tree t;
        return t;
    }
};

bool inside(const fs::path& root, const fs::path& p) {
    return std::mismatch(root.begin(), root.end(), p.begin(), p.end()).first == root.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Tree& t = Tree::tree();
    const std::string_view request = fuzz::as_text(data, size);
    const auto file = platform::served_file(t.root, request);
    if (!file) return 0;
    fuzz::require(inside(t.root, *file) && *file != t.root, "a served file lies outside the root");
    fuzz::require(fs::is_regular_file(*file), "a served path is no regular file");
    fuzz::require(!platform::served_content_type(file->filename().string()).empty(),
                  "a served file is of a kind not served");
    for (const std::string_view escape : {"..", "%", "\\", "//", "/."}) {
        fuzz::require(request.find(escape) == std::string_view::npos,
                      "a request with an escape was served");
    }
    return 0;
}
