#pragma once
// A text of CR LF separated rows with an index of where each row starts, so a page of the
// table can be cut out without splitting the whole text again.

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

}  // namespace logs
