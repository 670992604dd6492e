#pragma once
// The settings file mm.dat in the program folder and the table file system/matches, both written
// when the main window closes; mm.dat is read once at start-up.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/program_layout.hpp"
#include "common/file_io.hpp"

namespace app {

// What mm.dat carries, one member per line.
struct SettingsValues {
    std::string logs_folder;                   // line 1 (Text1 when saving)
    std::optional<std::int64_t> list8_height;  // line 2, twips; empty: the window's own height
    bool logs_checked = false;                 // line 3, logs(0) "Logs"; logs(1) is the opposite
    std::string text3;                         // line 4, flight search text
    float feed_range = 0.0f;                   // line 5
    std::int64_t range_index = 0;              // line 6
    std::int64_t max_height = 0;               // line 7
    std::int64_t height_index = 0;             // line 8
    std::string text2;                         // line 9, map zoom box
};

// Check marks of Flightradar > Range (mrg) and Flightradar > Max Height (mrr).
struct MenuChecks {
    std::array<bool, 5> mrg{};
    std::array<bool, 6> mrr{};

    // Checks the item when the index names one; other indexes check nothing.
    void check_mrg(std::int64_t index) { check(mrg, index); }
    void check_mrr(std::int64_t index) { check(mrr, index); }

    friend bool operator==(const MenuChecks&, const MenuChecks&) = default;

  private:
    template <std::size_t N>
    static void check(std::array<bool, N>& items, std::int64_t index) {
        if (index >= 0 && index < static_cast<std::int64_t>(N)) {
            items[static_cast<std::size_t>(index)] = true;
        }
    }
};

// The bytes handed to savetext for mm.dat: ten lines, each followed by CR LF.
std::string savedata_text(const SettingsValues& values);

// The bytes handed to savetext for system/matches: nothing fills its table, so it is always 34
// empty rows ",,0", each followed by CR LF.
std::string matches_text();

// Applies the lines of mm.dat's text. A missing line leaves its setting as it was; menu items
// are only ever checked here, never unchecked.
void loaddata(std::string_view text, SettingsValues& values, MenuChecks& checks);

// Writes mm.dat, then system/matches. Stops at the first failed write and reports it.
common::FileStatus savedata(const ProgramLayout& layout, const SettingsValues& values);

// Reads mm.dat when it exists and applies it; false (nothing changed) when there is none.
bool loaddata_file(const ProgramLayout& layout, SettingsValues& values, MenuChecks& checks);

}  // namespace app
