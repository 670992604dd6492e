#pragma once
// "Export table...": the parsed records as CSV (RFC 4180: CR LF rows, a field with a comma, a
// quote or a line break in quotes with its quotes doubled), UTF-8, headed by the table's seven
// column captions, newest record first as the table shows them.

#include <optional>
#include <string>
#include <string_view>

#include "logs/row_text.hpp"
#include "platform/platform.hpp"

namespace app {

std::string records_csv(const logs::RowText& records);

// One CSV field, quoted when it must be.
std::string csv_field(std::string_view text);

struct Session;

// File > "Export table...": the CSV of the parsed log and the file the save dialog suggests
// (the log's name with ".csv" in the program's models folder), or the message when no log
// with records is parsed.
struct ExportPlan {
    std::optional<std::string> message;
    std::string csv;
    std::string suggested_path;
};
inline constexpr std::string_view kNothingToExport = "No records to export. Choose a log first.";
ExportPlan export_plan(const Session& s);

// The whole command: the plan, the save dialog, the write; a failed write is reported with its
// path and cause.
void run_export_table(Session& s, platform::Platform& platform);

}  // namespace app
