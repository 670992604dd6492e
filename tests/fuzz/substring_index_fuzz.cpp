// libFuzzer target: the substring index answers exactly as a plain search of the appended text,
// for any appends and queries, before and after the text passes the index's memory budget.
//
// The input is a list of operations, each an op byte, a length byte and that many bytes:
//   op 0xfe      append the bytes until the text passes the budget (rare, as it is slow)
//   op % 4 == 0  append the bytes
//   op % 4 == 1  ask for the bytes
//   op % 4 == 2  append the bytes op / 4 + 1 times
//   op % 4 == 3  ask for a piece of the text cut where the bytes say, with its last byte
//                changed when op / 4 is odd: a near miss

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/substring_index.hpp"

namespace {

constexpr unsigned char kPastBudget = 0xfe;
// Past the 2 MiB the index keeps in its fast form today; kept as a number of its own so that
// the target does not hang on how the index is built.
constexpr std::size_t kPastBudgetSize = (std::size_t{2} << 20) + 4096;

void check(const common::SubstringIndex& index, const std::string& text, std::string_view needle) {
    const bool expected = text.find(needle) != std::string::npos;
    if (index.contains(needle) != expected) {
        std::fprintf(stderr, "substring_index: contains(%zu bytes) says %d, the text says %d\n",
                     needle.size(), !expected, expected);
        std::abort();
    }
}

std::size_t read_number(std::string_view bytes) {
    std::size_t v = 0;
    for (const char c : bytes.substr(0, 4)) v = (v << 8) | static_cast<unsigned char>(c);
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    common::SubstringIndex index;
    std::string text;
    while (in.size() >= 2) {
        const auto op = static_cast<unsigned char>(in[0]);
        const std::size_t len =
            std::min<std::size_t>(static_cast<unsigned char>(in[1]), in.size() - 2);
        const std::string_view bytes = in.substr(2, len);
        in.remove_prefix(2 + len);
        if (op == kPastBudget) {
            while (!bytes.empty() && text.size() < kPastBudgetSize) {
                index.append(bytes);
                text.append(bytes);
            }
            continue;
        }
        switch (op % 4) {
            case 0:
                index.append(bytes);
                text.append(bytes);
                break;
            case 1:
                check(index, text, bytes);
                break;
            case 2:
                for (std::size_t i = 0; i <= op / 4u; ++i) {
                    index.append(bytes);
                    text.append(bytes);
                }
                break;
            default: {
                if (text.empty()) break;
                const std::size_t from = read_number(bytes) % text.size();
                const std::size_t n = 1 + (bytes.empty() ? 0 : read_number(bytes.substr(1))) % 64;
                std::string piece = text.substr(from, n);
                if ((op / 4) % 2 == 1) piece.back() = static_cast<char>(piece.back() ^ 0x01);
                check(index, text, piece);
                break;
            }
        }
    }
    check(index, text, {});
    return 0;
}
