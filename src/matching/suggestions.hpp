#pragma once
// Classifies a default-model spawn as a missing model or a missing livery, and proposes a model
// family name for a type code.

#include <string>
#include <string_view>

namespace matching {

// s6: the type field, ",", the model name, ">", the plane spawned. Returns " Model?" or
// " Livery?".
std::string get_text4(std::string_view s6);

// The model family name proposed for a type code ("Airbus 320" when no rule matches).
std::string type_to_model(std::string_view type_code);

}  // namespace matching
