#include "logs/row_text.hpp"

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

std::string_view RowText::row(std::size_t i) const noexcept {
    if (i >= starts_.size()) return {};
    const std::size_t begin = starts_[i];
    const std::size_t end = (i + 1 < starts_.size()) ? starts_[i + 1] - 2 : text_.size();
    return std::string_view(text_).substr(begin, end - begin);
}

}  // namespace logs
