#include "platform/core/locale_info.hpp"

#include <stdexcept>

namespace platform {

bool locale_uses_decimal_comma(const std::locale& locale) {
    if (!std::has_facet<std::numpunct<char>>(locale)) return false;
    return std::use_facet<std::numpunct<char>>(locale).decimal_point() == ',';
}

bool locale_uses_decimal_comma() {
    try {
        return locale_uses_decimal_comma(std::locale(""));
    } catch (const std::runtime_error&) {
        // An unknown locale name in the environment.
        return false;
    }
}

}  // namespace platform
