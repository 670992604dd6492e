// libFuzzer target for logs of megabytes: the input is a recipe, not the log. Its body is
// repeated, each kFill byte replaced by a field that differs from copy to copy, so that a few
// hundred mutable bytes reach what only large logs with long distinct fields reach (megabytes of
// distinct needles in the result lists' and the parser's indexes, huge records in the table). Kept
// apart from log_fuzz, whose thousands of small inputs a second would drown in these.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "log_pipeline.hpp"

namespace {

constexpr char kFill = '\x01';
// Megabytes of long distinct fields, small enough for a quick run.
constexpr std::size_t kMaxLog = std::size_t{4} << 20;

// Copies byte, width byte, body: 1 + 16 * copies copies of the body, each kFill replaced by a
// counter padded with letters to 64 * width bytes; cut short at kMaxLog.
std::string expand(std::string_view recipe) {
    const auto copies = 1 + 16 * std::size_t{static_cast<unsigned char>(recipe[0])};
    const auto width = 64 * std::size_t{static_cast<unsigned char>(recipe[1])};
    const std::string_view body = recipe.substr(2);
    std::string out;
    std::size_t counter = 0;
    for (std::size_t c = 0; c < copies && out.size() < kMaxLog; ++c) {
        for (const char ch : body) {
            if (ch != kFill) {
                out.push_back(ch);
                continue;
            }
            const std::size_t begin = out.size();
            out.append(std::to_string(counter++));
            for (std::size_t i = out.size() - begin; i < width; ++i) {
                out.push_back(static_cast<char>('a' + (counter + i) % 26));
            }
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view recipe(reinterpret_cast<const char*>(data), size);
    fuzz::run_log_pipeline(expand(recipe), recipe.substr(2));
    return 0;
}
