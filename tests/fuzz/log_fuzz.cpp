// libFuzzer target: any bytes as a log must parse, list, search, page and report without a crash
// or a sanitizer report, and keep the table's invariants (log_pipeline.hpp).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "log_pipeline.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    fuzz::run_log_pipeline(input, input);
    return 0;
}
