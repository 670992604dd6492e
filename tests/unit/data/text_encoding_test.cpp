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
        CleanCase{"route_cuts", "Winston-Salem (Smith)", ",-()", "Winston Salem Smith"},
        CleanCase{"latin1", "Z\xC3\xBCrich", ",", "Z\xFCrich"},
        CleanCase{"latin_extended", "\xC5\x81\xC3\xB3\x64\xC5\xBA", ",", "L\xF3\x64z"},
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
        CleanCase{"truncated_sequence", "abc\xE2\x82", ",", "abc"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(AirlineRecords, KeepActiveIcaoCodesOncePerCodeWithCleanNames) {
    const auto airlines = datagen::airlines_from_json(R"([
        {"name": "Zed Air", "icao": "ZED", "active": "Y"},
        {"name": "Alpha, Beta\u001b\u001c", "icao": "ABC", "active": "Y"},
        {"name": "Second ABC", "icao": "ABC", "active": "Y"},
        {"name": "Gone", "icao": "OLD", "active": "N"},
        {"name": "Digits", "icao": "AB1", "active": "Y"},
        {"name": " , ", "icao": "EMP", "active": "Y"}])");
    EXPECT_EQ(datagen::airlines_file(airlines), "ABC,Alpha Beta\x1b\x1cZED,Zed Air\x1b\x1c");
}

}  // namespace
