#pragma once
// The program's files are single-byte Windows-1252 text, and their readers cut records at
// separator bytes; names from the UTF-8 sources are converted and cleaned here.

#include <string>
#include <string_view>

namespace datagen {

// Windows-1252 bytes of UTF-8 text. A letter outside the code page becomes its base Latin letter
// where there is an obvious one; other characters and invalid bytes are dropped.
std::string to_windows1252(std::string_view utf8);

// One field of a record: converted to Windows-1252; control bytes, the no-break space (which the
// readers turn into a space anyway) and every byte of `separators` become spaces; runs of spaces
// collapse into one; no space at either end.
std::string clean_field(std::string_view utf8, std::string_view separators);

}  // namespace datagen
