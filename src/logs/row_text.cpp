#include "logs/row_text.hpp"

#include <algorithm>

namespace logs {

void RowText::assign(std::string text) {
    text_ = std::move(text);
    starts_.clear();
    if (text_.empty()) return;
    starts_.push_back(0);
    std::size_t pos = 0;
    while ((pos = text_.find("\r\n", pos)) != std::string::npos) {
        pos += 2;
        starts_.push_back(pos);
    }
}

void RowText::replace_front(std::size_t rows, std::string_view front) {
    const std::size_t cut = rows < starts_.size() ? starts_[rows] : text_.size();
    std::string text;
    text.reserve(front.size() + text_.size() - cut);
    text.append(front).append(text_, cut);
    if (text.empty()) {
        clear();
        return;
    }
    std::vector<std::size_t> starts;
    starts.reserve(starts_.size() - std::min(rows, starts_.size()) +
                   static_cast<std::size_t>(std::count(front.begin(), front.end(), '\n')) + 1);
    starts.push_back(0);
    for (std::size_t pos = 0; (pos = front.find("\r\n", pos)) != std::string_view::npos;) {
        pos += 2;
        starts.push_back(pos);
    }
    // The kept rows move by the difference; the first one starts where the front ends, which
    // is a row start already when the front ends with its line end.
    for (std::size_t i = rows; i < starts_.size(); ++i) {
        const std::size_t start = starts_[i] - cut + front.size();
        if (start != front.size()) starts.push_back(start);
    }
    text_ = std::move(text);
    starts_ = std::move(starts);
}

std::string_view RowText::row(std::size_t i) const noexcept {
    if (i >= starts_.size()) return {};
    const std::size_t begin = starts_[i];
    const std::size_t end = (i + 1 < starts_.size()) ? starts_[i + 1] - 2 : text_.size();
    return std::string_view(text_).substr(begin, end - begin);
}

namespace {
std::size_t find_or_end(std::string_view text, char c, std::size_t from) noexcept {
    const auto pos = text.find(c, from);
    return pos == std::string_view::npos ? text.size() : pos;
}
}  // namespace

LineCursor::LineCursor(std::string_view text) noexcept
    : text_(text), cr_(find_or_end(text, '\r', 0)), lf_(find_or_end(text, '\n', 0)) {}

bool LineCursor::next(std::string_view& line) noexcept {
    if (done_) return false;
    if (cr_ < pos_) cr_ = find_or_end(text_, '\r', pos_);
    if (lf_ < pos_) lf_ = find_or_end(text_, '\n', pos_);
    const std::size_t end = std::min(cr_, lf_);
    line = text_.substr(pos_, end - pos_);
    if (end == text_.size()) {
        done_ = true;
    } else {
        const bool crlf = text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n';
        pos_ = end + (crlf ? 2 : 1);
    }
    return true;
}

}  // namespace logs
