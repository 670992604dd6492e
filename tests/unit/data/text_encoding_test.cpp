#include "text_encoding.hpp"

#include <gtest/gtest.h>

#include "records.hpp"

namespace {

struct CleanCase {
    const char* label;
    std::string input;  // UTF-8, or broken on purpose
    std::string separators;
    std::string expected;  // Windows-1252
};

class CleanField : public ::testing::TestWithParam<CleanCase> {};

TEST_P(CleanField, GivesWindows1252WithoutSeparatorsOrControlBytes) {
    const auto& c = GetParam();
    const std::string cleaned = datagen::clean_field(c.input, c.separators);
    EXPECT_EQ(cleaned, c.expected);
    for (const char byte : cleaned) {
        const auto code = static_cast<unsigned char>(byte);
        EXPECT_FALSE(code < 0x20 || code == 0x7F || code == 0xA0) << static_cast<int>(code);
        EXPECT_EQ(c.separators.find(byte), std::string::npos) << byte;
    }
}

INSTANTIATE_TEST_SUITE_P(
    HostileNames, CleanField,
    ::testing::Values(
        CleanCase{"comma", "Air, Inc.", ",", "Air Inc."},
        CleanCase{"hash_and_comma", "A#B,C", ",#", "A B C"},
        CleanCase{"escape_fs_crlf", "Bad\x1b\x1cName\r\nX", ",", "Bad Name X"},
        CleanCase{"tabs_and_runs", "\t lots   of\tspace ", ",", "lots of space"},
        CleanCase{"route_cuts", "Winston-Salem (Smith)", ",-()", "Winston Salem Smith"},
        CleanCase{"latin1", "Z\xC3\xBCrich", ",", "Z\xFCrich"},
        CleanCase{"latin_extended", "\xC5\x81\xC3\xB3\x64\xC5\xBA", ",", "L\xF3\x64z"},
        CleanCase{"dotted_i", "\xC4\xB0stanbul", ",", "Istanbul"},
        CleanCase{"comma_below", "Bucure\xC8\x99ti", ",", "Bucuresti"},
        CleanCase{"vietnamese", "T\xC3\xA2n S\xC6\xA1n Nh\xE1\xBA\xA5t", ",", "T\xE2n Son Nhat"},
        CleanCase{"code_page_extras", "\xE2\x82\xAC \xC5\xA0koda \xE2\x80\x93 x", ",",
                  "\x80 \x8Akoda \x96 x"},
        CleanCase{"no_break_space", "A\xC2\xA0\x42", ",", "A B"},
        CleanCase{"cyrillic_dropped", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 Airport",
                  ",", "Airport"},
        CleanCase{"cjk_only", "\xE6\x9D\xB1\xE4\xBA\xAC", ",", ""},
        CleanCase{"invalid_bytes", "A\xFF\xC3\x42", ",", "AB"},
        CleanCase{"overlong_slash", "a\xC0\xAF\x62", ",", "ab"},
        CleanCase{"surrogate", "a\xED\xA0\x80\x62", ",", "ab"},
        CleanCase{"truncated_sequence", "abc\xE2\x82", ",", "abc"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(AirlineRecords, KeepActiveIcaoCodesOncePerCodeWithCleanNames) {
    const auto airlines = datagen::airlines_from_json(R"([
        {"name": "Zed Air", "icao": "ZED", "active": "Y"},
        {"name": "Alpha, Beta\u001b\u001c", "icao": "ABC", "active": "Y"},
        {"name": "Second ABC", "icao": "ABC", "active": "Y"},
        {"name": "Gone", "icao": "OLD", "active": "N"},
        {"name": "Digits", "icao": "AB1", "active": "Y"},
        {"name": "Lower", "icao": "abc", "active": "Y"},
        {"name": "No code", "icao": "", "active": "Y"},
        {"name": " , ", "icao": "EMP", "active": "Y"}])");
    ASSERT_EQ(airlines.size(), 2u);
    EXPECT_EQ(airlines[0].code, "ABC");
    EXPECT_EQ(airlines[0].name, "Alpha Beta");
    EXPECT_EQ(airlines[1].code, "ZED");
    EXPECT_EQ(datagen::airlines_file(airlines), "ABC,Alpha Beta\x1b\x1cZED,Zed Air\x1b\x1c");
}

TEST(AirportRecords, TakeTheIcaoCodeAndSortLargeOnesFirst) {
    const auto airports = datagen::airports_from_json(R"([
        {"type": "medium_airport", "ident": "AF-0005", "gps_code": "OAKS", "iata_code": "KHT",
         "name": "Khost", "municipality": "", "latitude_deg": "33.28", "longitude_deg": "69.8"},
        {"type": "large_airport", "ident": "EGLL", "gps_code": "EGLL", "iata_code": "LHR",
         "name": "London Heathrow Airport", "municipality": "London",
         "latitude_deg": "51.4706", "longitude_deg": "-0.461941"},
        {"type": "medium_airport", "ident": "5A8", "gps_code": "5A8", "iata_code": "wkk",
         "name": "Aleknagik", "municipality": "", "latitude_deg": "59.28",
         "longitude_deg": "-158.6"},
        {"type": "heliport", "ident": "HHHH", "name": "Pad", "latitude_deg": "1",
         "longitude_deg": "1"},
        {"type": "small_airport", "ident": "XXXX", "name": "No place", "latitude_deg": "north",
         "longitude_deg": "1"}])");
    ASSERT_EQ(airports.size(), 3u);
    EXPECT_EQ(airports[0].code, "EGLL");
    EXPECT_EQ(airports[1].code, "5A8");
    EXPECT_EQ(airports[1].iata, "");
    EXPECT_EQ(airports[2].code, "OAKS");
    EXPECT_EQ(datagen::lookup_text(airports),
              "#51.4706,-0.461941,London Heathrow Airport,EGLL,LHR,Heathrow"
              "#59.28,-158.6,Aleknagik,5A8,#33.28,69.8,Khost,OAKS,KHT#");
    EXPECT_EQ(datagen::iata_file(airports),
              "London (London Heathrow Airport),LHR\r\nKhost,KHT\r\n");
}

}  // namespace
