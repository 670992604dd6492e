#pragma once
// What the fuzz targets do with a log: everything the program does once a log is chosen (parse,
// result lists, reports, the paged table, searches, scrolling, suggestion clicks), with the
// invariants the window relies on checked on the way. A broken invariant aborts, so libFuzzer
// keeps the input like any crash.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/log_session.hpp"
#include "app/suggestion_click.hpp"
#include "fuzz_input.hpp"
#include "logs/log_list.hpp"
#include "logs/log_parser.hpp"
#include "logs/result_lists.hpp"
#include "logs/row_text.hpp"
#include "logs/spawn_table.hpp"

namespace fuzz {

// The rows joined by CR LF give the text back: the table pages and the searches rely on it.
inline bool rows_rebuild_text(const logs::RowText& rows) {
    std::string joined;
    joined.reserve(rows.text().size());
    for (std::size_t i = 0; i < rows.row_count(); ++i) {
        if (i > 0) joined.append("\r\n");
        joined.append(rows.row(i));
    }
    return joined == rows.text();
}

// A click on a suggestion row; the highlighted row must be one of the page's rows.
inline void click_suggestion(std::string_view row, logs::SpawnTable& table,
                             const logs::ParseResult& p) {
    const app::SuggestionClick click = app::list1_mouse_down(row, table, p.records, p.record_count);
    if (!click.placement) return;
    require(click.placement->row >= 1 && click.placement->row <= logs::SpawnTable::kRows,
            "a suggestion highlights a row outside the page");
    require(click.placement->first_record >= 0, "a suggestion scrolls above the first record");
}

// text is the log; salt (the fuzzer's input) picks the queries, the scroll value and the case.
inline void run_log_pipeline(std::string_view text, std::string_view salt) {
    const std::size_t n = salt.size();
    const logs::ParseResult p = logs::get_list4(text, app::parse_options());
    require(rows_rebuild_text(p.records), "the records' rows do not rebuild the records text");
    (void)logs::failed_steps_message(p);
    (void)logs::make_result_lists(p.records);
    (void)logs::get_failures(text);
    (void)logs::chk_types_listed(text);
    (void)logs::log_label(salt.substr(0, 64));

    logs::SpawnTable table;
    table.after_parse(p.records);

    // One query cut from a record, so that the search hits, and one from the input, which may not.
    const std::size_t rows = p.records.row_count();
    const std::string_view record = rows > 0 ? p.records.row(n % rows) : std::string_view{};
    const std::string_view queries[] = {record.substr(std::min(record.size(), n % 7), 1 + n % 11),
                                        salt.substr(std::min<std::size_t>(n, 3), 3)};
    for (const std::string_view query : queries) {
        (void)table.command1_search(query, n % 2 == 0, p.records);
        table.on_scroll(static_cast<std::int64_t>(n % 97), p.records);
        for (int r = 1; r <= logs::SpawnTable::kRows; ++r) {
            (void)logs::visible_caption(table.cell(r, logs::kColumnModel).caption);
            (void)logs::lookup_url(table.cell(r, logs::kColumnTime).caption);
        }
        table.clear_labs();
        require(table.marked_text().text().find(logs::kMark) == std::string::npos,
                "clearing the search left a mark");
    }
    table.on_scroll(p.record_count, p.records);
    table.on_scroll(-1, p.records);

    // Each click scans every record: a few clicks, so that large logs stay quick to run.
    const std::size_t clicked = std::min<std::size_t>(p.suggestions.size(), 4);
    for (std::size_t i = 0; i < clicked; ++i) click_suggestion(p.suggestions[i], table, p);
    if (!p.suggestions.empty()) click_suggestion(p.suggestions.back(), table, p);
    for (int r = 1; r <= logs::SpawnTable::kRows; r += 6) {
        (void)app::press_plane_spawned(r, p.suggestions, table, p.records, p.record_count);
    }
}

}  // namespace fuzz
