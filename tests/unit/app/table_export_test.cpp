#include "app/table_export.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A plain RFC 4180 reader: rows of fields, quoted fields with doubled quotes, CR LF rows.
std::vector<std::vector<std::string>> read_csv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                rows.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                rows.back().back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            rows.back().back() += c;
        }
    }
    rows.pop_back();  // after the last CR LF
    return rows;
}

TEST(TableExport, fieldsReadBackAsTheTableShowsThem) {
    // A record as the parser writes it: seven comma-joined fields; one with a quote, one in
    // Windows-1252 (é), one short row.
    const logs::RowText records(
        "14:23,3DB8E3, B38M , DLH,Boeing \"MAX\" 8, Boeing 737 MAX 8 Lufthansa,DLH295\r\n"
        "14:22,496DAC,A20N,AFR,Caf\xe9 A320,Airbus A320 (Default Model),AFR1\r\n"
        "14:21,ABC\r\n");
    const auto rows = read_csv(app::records_csv(records));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Time", "REF", "Model", "Airline", "Name of Model",
                                                 "Plane Spawned", "CallSign"}));
    EXPECT_EQ(rows[1][4], "Boeing \"MAX\" 8");
    EXPECT_EQ(rows[1][2], " B38M ");
    EXPECT_EQ(rows[2][4], "Caf\xc3\xa9 A320");
    EXPECT_EQ(rows[3], (std::vector<std::string>{"14:21", "ABC", "", "", "", "", ""}));
}

TEST(TableExport, quotingOnlyWhereNeeded) {
    const std::pair<std::string, std::string> cases[] = {{"plain", "plain"},
                                                         {"a,b", "\"a,b\""},
                                                         {"say \"hi\"", "\"say \"\"hi\"\"\""},
                                                         {"two\r\nlines", "\"two\r\nlines\""},
                                                         {"", ""}};
    for (const auto& [in, out] : cases) EXPECT_EQ(app::csv_field(in), out) << in;
}

}  // namespace
