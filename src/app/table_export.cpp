#include "app/table_export.hpp"

#include "app/session.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "logs/spawn_table.hpp"
#include "mappage/map_text.hpp"

namespace app {

std::string csv_field(std::string_view text) {
    const std::string utf8 = mappage::to_utf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string records_csv(const logs::RowText& records) {
    std::string out;
    out.reserve(records.text().size() + records.text().size() / 8 + 64);
    const auto row_out = [&out](const auto& fields, std::size_t count) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(logs::SpawnTable::kColumns); ++i) {
            if (i > 0) out += ',';
            if (i < count) out += csv_field(fields[i]);
        }
        out += "\r\n";
    };
    row_out(logs::kHeaderCaptions, logs::kHeaderCaptions.size());
    for (std::size_t r = 0; r < records.row_count(); ++r) {
        const std::string_view row = records.row(r);
        if (row.empty()) continue;
        const auto fields = logs::record_fields(row);
        row_out(fields, fields.size());
    }
    return out;
}

ExportPlan export_plan(const Session& s) {
    if (s.logs.log.parse.record_count == 0) return {std::string(kNothingToExport), {}, {}};
    std::string name = common::ftrim(chosen_log_path(s), common::FtrimPart::Name);
    if (const auto dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
    if (name.empty()) name = "records";
    return {std::nullopt, records_csv(s.logs.log.parse.records),
            common::join_path(s.frame.layout.models_folder(), name + ".csv")};
}

void run_export_table(Session& s, platform::Platform& platform) {
    const ExportPlan plan = export_plan(s);
    if (plan.message) {
        platform.message(*plan.message);
        return;
    }
    const std::string path = platform.save_file_name(plan.suggested_path, "Export table");
    if (path.empty()) return;
    if (const common::FileStatus written = common::write_file_atomic(path, plan.csv); !written) {
        report_write_failures(s, platform, {*written.error});
    }
}

}  // namespace app
