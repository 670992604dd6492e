// The indexed airline and route look-ups against the first-occurrence searches they replace, on
// hand-made hostile tables and on random ones.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "live/airline_table.hpp"
#include "live/route_lookup.hpp"
#include "plain_lookups.hpp"

namespace {

using namespace live_test;

void expect_same(const std::string& table, const std::vector<std::string>& codes) {
    const live::AirlineTable airlines(table);
    const live::RouteTable routes(table);
    for (const std::string& code : codes) {
        SCOPED_TRACE("code [" + code + "] in [" + table.substr(0, 200) + "]");
        const auto indexed = airlines.name_for_callsign(code);
        const auto scanned = airline_by_scan(table, code);
        ASSERT_EQ(indexed.has_value(), scanned.has_value());
        if (indexed) {
            ASSERT_EQ(std::string(*indexed), *scanned);
        }
        // The route never asks about an empty code.
        if (!code.empty()) {
            ASSERT_EQ(std::string(routes.place_name(code)), place_by_scan(table, code));
        }
        for (const std::string& other : {std::string("LHR"), code.substr(0, 2), std::string()}) {
            for (const bool aa : {true, false}) {
                ASSERT_EQ(routes.get_iata(aa, code + "," + other),
                          get_iata_by_scan(table, aa, code + "," + other));
                ASSERT_EQ(routes.get_iata(aa, other + "," + code),
                          get_iata_by_scan(table, aa, other + "," + code));
            }
        }
    }
}

TEST(LookupDifferential, hostileTables) {
    const std::vector<std::string> codes{"BAW", "baw", "EZY",  "LHR", "LH",  "L", "XYZ",
                                         "AW",  "B",   "BAWX", "ABC", "ZZZ", "1", " LH"};
    for (const std::string& table : {
             std::string("BAW,British Airways\r\nEZY,easyJet\r\n"),
             // A code inside a name comes first; the record of its own comes later.
             std::string("XBAW,fake\r\nBAW,British Airways\r\n"),
             std::string("ABC,ab BAW, cd\r\nBAW,British\r\nBAW,second\r\n"),
             std::string("BAW,British Airways"),  // no trailing LF: name "-"
             std::string("BAW,\r\n"),
             std::string(",,,,\n,,\n"),
             std::string("London Heathrow (LHR),England,LHR,EGLL\r\n"
                         "Lhasa - Gonggar,China,LXA\r\nLHR-Other,x,LHR\r\n"),
             std::string("  Spaced  ,LH\r\nNo comma line\r\n(Paren,L\n-Dash,LHRX,LHR"),
             std::string(",LHR first on the line\r\nsecond,LHR\r\n"),
             std::string("a\nb\nc,1\n,1"),
             std::string(),
         }) {
        expect_same(table, codes);
    }
}

TEST(LookupDifferential, randomTables) {
    std::mt19937 rng(20240513);
    constexpr std::string_view kAlphabet = "ABCab,,,\n\r (-";
    std::uniform_int_distribution<std::size_t> letter(0, kAlphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 300);
    std::uniform_int_distribution<std::size_t> code_length(1, 5);
    for (int round = 0; round < 300; ++round) {
        std::string table(length(rng), ' ');
        for (char& c : table) c = kAlphabet[letter(rng)];
        std::vector<std::string> codes;
        for (int k = 0; k < 20; ++k) {
            std::string code(code_length(rng), ' ');
            for (char& c : code) {
                do {
                    c = kAlphabet[letter(rng)];
                } while (c == ',');
            }
            codes.push_back(code);
        }
        // Codes that are in the table for sure: what follows a ",".
        for (std::size_t p = table.find(','); p != std::string::npos && codes.size() < 40;
             p = table.find(',', p + 1)) {
            const std::string after = table.substr(p + 1, code_length(rng));
            codes.push_back(after.substr(0, after.find(',')));
        }
        expect_same(table, codes);
    }
}

TEST(LookupTables, fileBytesBecomeTableText) {
    EXPECT_EQ(live::airlines_text_from_file("BAW,British\x1b\x1c"
                                            "EZY,easy\x1b\x1c"),
              "BAW,British\r\nEZY,easy\r\n");
    EXPECT_EQ(live::iata_text_from_file("San\xA0Jose,US,SJC"), "San Jose,US,SJC");
}

}  // namespace
