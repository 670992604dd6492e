// Reads the generated system/ files the way the program's readers do.
#include <gtest/gtest.h>

#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "airports/lookup_file.hpp"

namespace {

const std::string kSystem = SKELVAR_SYSTEM_DIR;

std::string read_bytes(const std::string& name) {
    std::ifstream in(kSystem + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string replace_all(std::string text, std::string_view from, std::string_view to) {
    for (auto pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos)) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
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

bool has_control_byte(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    }
    return false;
}

// The feed parser's airline look-up: the name after "CODE," up to the next line feed.
std::string airline_name(const std::string& table, const std::string& code) {
    const auto p = table.find(code + ",");
    if (p == std::string::npos) return "---";
    const auto rest = std::string_view(table).substr(p + 4);
    const auto lf = rest.find('\n');
    return lf == std::string_view::npos ? "-"
                                        : replace_all(std::string(rest.substr(0, lf)), "\r", "");
}

// The route look-up's place name of a code.
std::string place_name(const std::string& table, const std::string& code) {
    const auto p = table.find("," + code);
    if (p == std::string::npos) return "";
    const auto lf = table.rfind('\n', p);
    std::string line = table.substr(lf == std::string::npos ? 0 : lf + 1,
                                    p - (lf == std::string::npos ? 0 : lf + 1));
    line = line.substr(0, line.find(','));
    line = line.substr(0, line.find('('));
    line = line.substr(0, line.find('-'));
    const auto first = line.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

TEST(ShippedAirlines, EveryCodeFindsItsOwnRecordAndNameInFull) {
    const std::string raw = read_bytes("airlines");
    ASSERT_GT(raw.size(), 1000u);
    ASSERT_EQ(raw.substr(raw.size() - 2), "\x1b\x1c");
    const std::string table = replace_all(raw, "\x1b\x1c", "\r\n");
    auto records = split(table, "\r\n");
    ASSERT_TRUE(records.back().empty());
    records.pop_back();
    ASSERT_GT(records.size(), 500u);

    std::size_t start = 0;
    for (const auto& record : records) {
        ASSERT_GT(record.size(), 4u) << record;
        const std::string code = record.substr(0, 3);
        const std::string name = record.substr(4);
        EXPECT_EQ(record[3], ',') << record;
        EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos);
        EXPECT_EQ(name.find(','), std::string::npos) << record;
        EXPECT_FALSE(has_control_byte(name)) << record;
        EXPECT_EQ(table.find(code + ","), start) << record;
        EXPECT_EQ(airline_name(table, code), name);
        start += record.size() + 2;
    }
    EXPECT_EQ(airline_name(table, "BAW"), "British Airways");
}

TEST(ShippedIata, EveryCodeFindsItsOwnLineWithAPlaceName) {
    const std::string table = read_bytes("iata");
    ASSERT_GT(table.size(), 1000u);
    ASSERT_EQ(table.substr(table.size() - 2), "\r\n");
    auto lines = split(table, "\r\n");
    lines.pop_back();
    ASSERT_GT(lines.size(), 1000u);
    EXPECT_EQ(table.find('\xA0'), std::string::npos);

    std::size_t start = 0;
    std::size_t named = 0;
    for (const auto& line : lines) {
        const auto comma = line.rfind(',');
        ASSERT_NE(comma, std::string::npos) << line;
        const std::string code = line.substr(comma + 1);
        EXPECT_EQ(code.size(), 3u) << line;
        EXPECT_FALSE(has_control_byte(line)) << line;
        const auto found = table.find("," + code);
        EXPECT_TRUE(found >= start && found < start + line.size()) << line;
        if (!place_name(table, code).empty()) ++named;
        start += line.size() + 2;
    }
    EXPECT_GE(named * 100, lines.size() * 99);
    EXPECT_EQ(place_name(table, "LHR"), "London");
}

// The editor's search: "," + text, then the record between the "#" before it and the next "#".
std::vector<std::string> record_found_by(const std::string& text, const std::string& query) {
    const auto p = text.find("," + query);
    if (p == std::string::npos) return {};
    const auto hash = text.rfind('#', p);
    if (hash == std::string::npos) return {};
    const auto end = text.find('#', p);
    return split(std::string_view(text).substr(hash + 1, end - hash - 1), ",");
}

TEST(ShippedLookup, UnscramblesToRecordsFoundByCodeAndName) {
    const std::string scrambled = read_bytes("az5");
    ASSERT_GT(scrambled.size(), 10000u);
    EXPECT_LT(scrambled.size(), 4u << 20);
    const std::string text = airports::scramble_lookup(scrambled);
    EXPECT_EQ(airports::scramble_lookup(text), scrambled);
    ASSERT_EQ(text.front(), '#');
    ASSERT_EQ(text.back(), '#');

    const auto records = split(std::string_view(text).substr(1, text.size() - 2), "#");
    ASSERT_GT(records.size(), 1000u);
    for (const auto& record : records) {
        const auto fields = split(record, ",");
        ASSERT_GE(fields.size(), 5u) << record;
        double lat = 0;
        double lon = 0;
        EXPECT_EQ(std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), lat).ec,
                  std::errc())
            << record;
        EXPECT_EQ(std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(), lon).ec,
                  std::errc())
            << record;
        EXPECT_TRUE(lat >= -90 && lat <= 90 && lon >= -180 && lon <= 180) << record;
        EXPECT_FALSE(fields[2].empty() || fields[3].empty()) << record;
        EXPECT_FALSE(has_control_byte(record)) << record;
        // A four-letter code is found first in its own record.
        if (fields[3].size() == 4) {
            EXPECT_EQ(record_found_by(text, fields[3])[3], fields[3]);
        }
    }

    const auto first = split(records.front(), ",");
    EXPECT_EQ(record_found_by(text, first[3]), first);
    for (const char* query : {"EGLL", "LHR", "Heathrow"}) {
        const auto found = record_found_by(text, query);
        ASSERT_GE(found.size(), 5u) << query;
        EXPECT_EQ(found[3] + " " + found[2], "EGLL London Heathrow Airport") << query;
    }
}

TEST(ShippedMapLibrary, StylesheetImagesLieBesideIt) {
    EXPECT_NE(read_bytes("leaflet.js").find("Leaflet 1.9.4"), std::string::npos);
    const std::string css = read_bytes("leaflet.css");
    std::size_t images = 0;
    for (auto p = css.find("url(images/"); p != std::string::npos;
         p = css.find("url(images/", p + 1)) {
        const auto end = css.find(')', p);
        const std::string file = css.substr(p + 4, end - p - 4);
        EXPECT_GT(read_bytes(file).size(), 100u) << file;
        ++images;
    }
    EXPECT_GE(images, 2u);
}

}  // namespace
