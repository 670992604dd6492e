// libFuzzer target: the substring index answers exactly as a plain search of the text fed so
// far, for any needles, appends and lines.
//
// The input starts with the needle count n (at most 32) and n needles, each a length byte and
// that many bytes. Then come operations, each an op byte, a length byte and that many bytes:
//   op % 3 == 0  append the bytes to the text (a needle may span appends)
//   op % 3 == 1  append the bytes as a line of their own (no needle spans its ends)
//   op % 3 == 2  check every needle

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/substring_index.hpp"

namespace {

std::string_view take(std::string_view& in) {
    if (in.empty()) return {};
    const std::size_t len = std::min<std::size_t>(static_cast<unsigned char>(in[0]), in.size() - 1);
    const std::string_view bytes = in.substr(1, len);
    in.remove_prefix(1 + len);
    return bytes;
}

// The text as pieces no needle may span: the open piece grows with append, a line closes it.
struct Reference {
    std::vector<std::string> pieces{std::string()};

    [[nodiscard]] bool contains(std::string_view needle) const {
        if (needle.empty()) return true;
        return std::any_of(pieces.begin(), pieces.end(), [&](const std::string& p) {
            return p.find(needle) != std::string::npos;
        });
    }
};

void check_all(const common::SubstringIndex& index, const Reference& text,
               const std::vector<std::string_view>& needles) {
    for (std::size_t i = 0; i < needles.size(); ++i) {
        const bool expected = text.contains(needles[i]);
        if (index.contains(i) != expected) {
            std::fprintf(stderr,
                         "substring_index: needle %zu (%zu bytes) says %d, the text says %d\n", i,
                         needles[i].size(), !expected, expected);
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    if (in.empty()) return 0;
    const std::size_t count = static_cast<unsigned char>(in[0]) % 33;
    in.remove_prefix(1);
    std::vector<std::string_view> needles;
    for (std::size_t i = 0; i < count && !in.empty(); ++i) needles.push_back(take(in));

    common::SubstringIndex index(needles);
    Reference text;
    while (in.size() >= 2) {
        const auto op = static_cast<unsigned char>(in[0]);
        in.remove_prefix(1);
        const std::string_view bytes = take(in);
        switch (op % 3) {
            case 0:
                index.append(bytes);
                text.pieces.back().append(bytes);
                break;
            case 1:
                index.append_line(bytes);
                text.pieces.emplace_back(bytes);
                text.pieces.emplace_back();
                break;
            default:
                check_all(index, text, needles);
                break;
        }
    }
    check_all(index, text, needles);
    return 0;
}
