// libFuzzer target: any bytes as a log must parse, list, search and report without a crash.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "logs/log_list.hpp"
#include "logs/log_parser.hpp"
#include "logs/result_lists.hpp"
#include "logs/spawn_table.hpp"
#include "matching/suggestions.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    logs::ParseOptions options;
    options.get_text4 = &matching::get_text4;
    options.header_height_twips = 195;
    const logs::ParseResult p = logs::get_list4(text, options);
    (void)logs::make_result_lists(p.records);
    (void)logs::get_failures(text);
    (void)logs::chk_types_listed(text);
    (void)logs::log_label(text.substr(0, 64));

    logs::SpawnTable table;
    table.after_parse(p.records);
    const std::string_view query = text.substr(0, std::min<std::size_t>(size, 3));
    (void)table.search_labels(query, size % 2 == 0, p.records);
    table.on_scroll(static_cast<std::int64_t>(size % 97), p.records);
    for (const auto& s : p.suggestions) (void)logs::highlight_match(s, s, p.records, p.record_count);
    return 0;
}
