// Reads the generated system/ files the way the program's readers do.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "airports/lookup_file.hpp"

namespace {

std::string read_system_file(const std::string& name) {
    std::ifstream in(SKELVAR_SYSTEM_DIR "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (auto end = text.find(separator); end != std::string_view::npos;
         end = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, end - start));
        start = end + separator.size();
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

bool clean(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

TEST(ShippedAirlines, EveryCodeFindsItsOwnRecordAndNameInFull) {
    const std::string raw = read_system_file("airlines");
    ASSERT_TRUE(raw.ends_with("\x1b\x1c"));
    std::string table;  // as the reader keeps it: ESC FS turned into CR LF
    for (const auto& record : split(raw.substr(0, raw.size() - 2), "\x1b\x1c")) {
        table += record + "\r\n";
    }
    auto records = split(table, "\r\n");
    records.pop_back();
    ASSERT_GT(records.size(), 500u);
    std::size_t start = 0;
    for (const auto& record : records) {
        const std::string code = record.substr(0, 3);
        EXPECT_TRUE(clean(record) && record.size() > 4 && record.find(',') == 3) << record;
        const auto found = table.find(code + ",");
        ASSERT_EQ(found, start) << record;
        // The name runs from after "CODE," to the next line feed, carriage return removed.
        EXPECT_EQ(table.substr(found + 4, table.find('\n', found) - found - 5), record.substr(4));
        start += record.size() + 2;
    }
    EXPECT_NE(table.find("\nBAW,British Airways\r\n"), std::string::npos);
}

// The route look-up: the line before "," + code, cut at ",", "(" and "-", trimmed.
std::string place_name(const std::string& table, const std::string& code) {
    const auto p = table.find("," + code);
    const auto lf = table.rfind('\n', p);
    const auto line_start = lf == std::string::npos ? 0 : lf + 1;
    std::string name = table.substr(line_start, p - line_start);
    name = name.substr(0, name.find_first_of(",(-"));
    const auto first = name.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : name.substr(first, name.find_last_not_of(' ') + 1 - first);
}

TEST(ShippedIata, EveryCodeFindsItsOwnLineWithAPlaceName) {
    const std::string table = read_system_file("iata");
    ASSERT_TRUE(table.ends_with("\r\n"));
    EXPECT_EQ(table.find('\xA0'), std::string::npos);
    auto lines = split(table, "\r\n");
    lines.pop_back();
    ASSERT_GT(lines.size(), 1000u);
    std::size_t start = 0;
    std::size_t named = 0;
    for (const auto& line : lines) {
        const std::string code = line.substr(line.rfind(',') + 1);
        EXPECT_TRUE(clean(line) && code.size() == 3) << line;
        const auto found = table.find("," + code);
        EXPECT_TRUE(found >= start && found < start + line.size()) << line;
        named += !place_name(table, code).empty();
        start += line.size() + 2;
    }
    EXPECT_GE(named * 100, lines.size() * 99);
    EXPECT_EQ(place_name(table, "LHR"), "London");
}

// The editor's search: "," + text, then the record from the "#" before it to the next "#".
std::vector<std::string> record_found_by(const std::string& text, const std::string& query) {
    const auto p = text.find("," + query);
    const auto hash = p == std::string::npos ? p : text.rfind('#', p);
    if (hash == std::string::npos) return {};
    return split(std::string_view(text).substr(hash + 1, text.find('#', p) - hash - 1), ",");
}

TEST(ShippedLookup, UnscramblesToRecordsFoundByCodeAndName) {
    const std::string scrambled = read_system_file("az5");
    EXPECT_LT(scrambled.size(), 4u << 20);
    const std::string text = airports::scramble_lookup(scrambled);
    EXPECT_EQ(airports::scramble_lookup(text), scrambled);
    ASSERT_TRUE(text.starts_with('#') && text.ends_with('#'));
    const auto records = split(std::string_view(text).substr(1, text.size() - 2), "#");
    ASSERT_GT(records.size(), 1000u);
    for (const auto& record : records) {
        const auto fields = split(record, ",");
        ASSERT_GE(fields.size(), 5u) << record;
        double lat = 999;
        double lon = 999;
        std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), lat);
        std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(), lon);
        EXPECT_TRUE(std::abs(lat) <= 90 && std::abs(lon) <= 180 && clean(record)) << record;
        EXPECT_FALSE(fields[2].empty() || fields[3].empty()) << record;
        if (fields[3].size() == 4) {
            EXPECT_EQ(record_found_by(text, fields[3]).at(3), fields[3]);
        }
    }
    EXPECT_EQ(record_found_by(text, split(records.front(), ",")[3]), split(records.front(), ","));
    for (const char* query : {"EGLL", "LHR", "Heathrow"}) {
        const auto found = record_found_by(text, query);
        ASSERT_GE(found.size(), 5u) << query;
        EXPECT_EQ(found[3] + " " + found[2], "EGLL London Heathrow Airport") << query;
    }
}

TEST(ShippedMapLibrary, StylesheetImagesLieBesideIt) {
    EXPECT_NE(read_system_file("leaflet.js").find("Leaflet 1.9.4"), std::string::npos);
    const std::string css = read_system_file("leaflet.css");
    const auto p = css.find("url(images/");
    ASSERT_NE(p, std::string::npos);
    EXPECT_FALSE(read_system_file(css.substr(p + 4, css.find(')', p) - p - 4)).empty());
}

}  // namespace
