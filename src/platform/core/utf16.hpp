#pragma once
// UTF-8 (the program's text) to and from UTF-16 (what the Windows API takes). Windows only:
// nothing else needs it, and every other system takes the UTF-8 bytes as they are.
#ifdef _WIN32

#include <string>
#include <string_view>

namespace platform {

// Invalid sequences become U+FFFD.
std::wstring to_utf16(std::string_view utf8);
std::string to_utf8(std::wstring_view utf16);

}  // namespace platform

#endif
