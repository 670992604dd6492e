#pragma once
// A message the window must show. Domain code returns these instead of showing anything.

#include <string>

namespace common {

struct Message {
    enum class Icon { None, Information };
    std::string text;
    Icon icon = Icon::None;

    friend bool operator==(const Message&, const Message&) = default;
};

}  // namespace common
