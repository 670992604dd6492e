#pragma once
#include <locale>

namespace platform {

// True when the user's locale writes numbers with a decimal comma. False when the user's
// locale cannot be created.
bool locale_uses_decimal_comma();

// The same test for a given locale.
bool locale_uses_decimal_comma(const std::locale& locale);

}  // namespace platform
