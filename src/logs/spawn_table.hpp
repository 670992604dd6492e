#pragma once
// The paged spawn table: 25 rows of 7 label cells that show one page of the records text, the
// search that marks hits, and the copy and look-up helpers. The cells keep their state between
// calls exactly as the window's labels would, so a step that has nothing to write leaves the
// cell as it was. The window renders the cells and forwards its events here.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/message.hpp"
#include "logs/row_text.hpp"

namespace logs {

// Put in front of every field that a search hit. It is not printable.
inline constexpr char kMark = '\x1f';

// Columns count from 1 like the label arrays Label1 to Label7; column n shows field n - 1.
inline constexpr int kColumnTime = 1;
inline constexpr int kColumnRef = 2;
inline constexpr int kColumnModel = 3;
inline constexpr int kColumnAirline = 4;
inline constexpr int kColumnModelName = 5;
inline constexpr int kColumnPlaneSpawned = 6;
inline constexpr int kColumnCallSign = 7;

inline constexpr std::array<std::string_view, 7> kHeaderCaptions = {
    "Time", "REF", "Model", "Airline", "Name of Model", "Plane Spawned", "CallSign"};

struct Cell {
    std::string caption = "-";
    bool yellow = false;  // hit background instead of the header's normal colour
    bool red = false;     // red text instead of black (only the Plane Spawned column uses it)

    friend bool operator==(const Cell&, const Cell&) = default;
};

// The text scrol draws: all records, or the marked text of the last search when there is one.
enum class DrawText { Records, Marked };

class SpawnTable {
  public:
    static constexpr int kRows = 25;
    static constexpr int kColumns = 7;

    SpawnTable() = default;

    // row 1..25, column 1..7.
    [[nodiscard]] const Cell& cell(int row, int column) const;

    [[nodiscard]] std::int64_t top_row() const noexcept { return top_row_; }
    // The record drawn in row 1 by the last scrol (a search draws from its first hit while
    // top_row stays 0).
    [[nodiscard]] std::int64_t first_shown() const noexcept { return first_shown_; }
    [[nodiscard]] const RowText& marked_text() const noexcept { return marked_text_; }
    [[nodiscard]] float scroll_scale() const noexcept { return scroll_scale_; }
    void set_scroll_scale(float scale) noexcept { scroll_scale_ = scale; }
    [[nodiscard]] const std::string& copy_text() const noexcept { return copy_text_; }

    // What a parse does to the table once the records are built: first page of all records,
    // top_row 0, scale 1.
    void after_parse(const RowText& records);

    // Records were put in front of the records text and the ones shown before moved down by
    // `moved` rows: the first page goes on showing the newest records, any other page the
    // records it showed.
    void after_growth(const RowText& records, std::int64_t moved);

    // Draws the page whose row 1 is record sel of the chosen text and returns sel as used
    // (0 when it was negative or there are no records). Touches the 25 visible rows only.
    std::int64_t scrol(std::int64_t sel, DrawText what, const RowText& records);

    // Marks every field 0..5 holding the query in a copy of the records (marked_text), draws it
    // from the first hit row and returns the number of hits.
    std::int64_t search_labels(std::string_view query, bool match_case, const RowText& records);

    // The Search button while the log view is shown (the window routes it to the live search
    // otherwise): "No results." when nothing was hit.
    std::optional<common::Message> command1_search(std::string_view query, bool match_case,
                                                   const RowText& records);

    // Removes the search colouring of the Model and Airline cells and every mark.
    void clear_labs();

    // Empties the table before a parse. The suggestion lists List1(0) and List1(1) live in the
    // window's session and are emptied by the caller.
    void clearlist();

    // Scroll bar v1 changed or is being dragged.
    void on_scroll(std::int64_t value, const RowText& records);

    // Right button on a cell: remembers its caption for "Copy" and tells whether the pop-up menu
    // opens (only the Model, Airline, Name of Model and Plane Spawned columns have one).
    bool right_press(int row, int column);
    [[nodiscard]] static bool opens_copy_popup(int column) noexcept;

    // Another button on a Plane Spawned cell: index of the first List1(0) entry that contains the
    // row's Model caption (marks removed, lower-cased, trimmed), or -1.
    [[nodiscard]] std::int64_t plane_spawned_suggestion_index(
        int row, const std::vector<std::string>& suggestions) const;

    // Paints the Model and Airline cells of a row yellow (the match of a chosen suggestion).
    void paint_match(int row);

  private:
    using Row = std::array<Cell, kColumns>;

    void reset_hit_backgrounds(int first_column, int last_column);

    std::array<Row, kRows> cells_;  // every Cell starts as "-"
    std::int64_t top_row_ = 0;
    std::int64_t first_shown_ = 0;
    RowText marked_text_;
    float scroll_scale_ = 1.0F;
    std::string copy_text_;
};

// A caption as it is shown: the marks dropped, since the yellow background already tells a hit.
std::string visible_caption(std::string_view caption);

// The fields a record row shows in the table's seven columns (a row with fewer pieces gives
// fewer fields; pieces past the seventh are not shown).
std::vector<std::string_view> record_fields(std::string_view row);

// The web search for a first-column cell: its caption up to the first TAB, percent-encoded.
std::string lookup_url(std::string_view first_column_caption);

// Where the record of a chosen suggestion lands in the table.
struct MatchPlacement {
    std::int64_t index = 0;         // record index in the records text
    std::int64_t first_record = 0;  // record shown in row 1
    int row = 1;                    // table row 1..25 that holds the record
    // true: move the scroll bar to first_record (its handler draws the page); false: draw the
    // first page of all records without moving the scroll bar.
    bool set_scrollbar = false;

    friend bool operator==(const MatchPlacement&, const MatchPlacement&) = default;
};

// The oldest record whose Model field (trimmed) is type_code and whose Airline field (trimmed)
// is airline, placed on a page; nullopt when there is none.
std::optional<MatchPlacement> highlight_match(std::string_view type_code, std::string_view airline,
                                              const RowText& records, std::int64_t record_count);

}  // namespace logs
