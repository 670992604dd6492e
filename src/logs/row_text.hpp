#pragma once
// A text of CR LF separated rows with an index of where each row starts, so a page of the
// table can be cut out without splitting the whole text again; and the cursor that cuts a log
// into lines.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace logs {

class RowText {
  public:
    RowText() = default;
    explicit RowText(std::string text) { assign(std::move(text)); }

    void assign(std::string text);
    void clear() { assign({}); }
    // Drops the first `rows` rows and puts `front` (whole rows, each ended by CR LF) in their
    // place; only the front is searched for row starts.
    void replace_front(std::size_t rows, std::string_view front);

    [[nodiscard]] const std::string& text() const noexcept { return text_; }
    [[nodiscard]] bool empty() const noexcept { return text_.empty(); }
    // Rows as a split at CR LF gives them: n line ends give n + 1 rows, the last one empty;
    // an empty text gives no rows.
    [[nodiscard]] std::size_t row_count() const noexcept { return starts_.size(); }
    [[nodiscard]] std::string_view row(std::size_t i) const noexcept;

  private:
    std::string text_;
    std::vector<std::size_t> starts_;
};

// Cuts a log into lines at every line end: CR LF, a bare CR or a bare LF, so that a log saved with
// any of them, or a mix, reads alike. n line ends give n + 1 lines (the last one empty when the
// text ends with a line end). One pass, also when CR or LF never occurs.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) noexcept;
    // The next line without its line end; false once every line was read.
    bool next(std::string_view& line) noexcept;

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t cr_, lf_;  // the next CR and LF at or after pos_, the text's size when none
    bool done_ = false;
};

}  // namespace logs
