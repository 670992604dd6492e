#pragma once
// The airport lookup file (system/az5) is stored scrambled: every byte is combined by exclusive-or
// with one fixed key. The data generator writes it with this key and the editor reads it back.

#include <cstdint>
#include <string>
#include <string_view>

namespace airports {

inline constexpr std::uint8_t kLookupKey = 0x5A;

// Scrambles or unscrambles (the operation is its own inverse) the whole text at once.
std::string scramble_lookup(std::string_view bytes);

}  // namespace airports
