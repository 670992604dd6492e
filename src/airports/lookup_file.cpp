#include "airports/lookup_file.hpp"

namespace airports {

std::string scramble_lookup(std::string_view bytes) {
    std::string out(bytes);
    for (char& c : out) c = static_cast<char>(static_cast<std::uint8_t>(c) ^ kLookupKey);
    return out;
}

}  // namespace airports
