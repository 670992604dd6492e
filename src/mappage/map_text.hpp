#pragma once
// Feed values on their way into the map script: text from the tables made UTF-8 (the page says
// so), then escaped for where it lands. Marker labels and popups are HTML that Leaflet inserts
// from a JavaScript string, so a value is HTML-escaped first and the result escaped for the
// string, which keeps a name such as "Chicago O'Hare" or a crafted "</script>" inert.

#include <string>
#include <string_view>

namespace mappage {

// The text unchanged when it is valid UTF-8, else read as Windows-1252 (the tables' code page)
// and written as UTF-8; the five bytes Windows-1252 leaves undefined keep their C1 code points.
std::string to_utf8(std::string_view text);

// & < > " ' as character references.
std::string html_escape(std::string_view text);

// The inside of a JavaScript string literal in either quote: backslash, quotes, < > & and
// U+2028/U+2029 as \uXXXX or \\, control characters as \uXXXX. The text must be UTF-8.
std::string js_string_escape(std::string_view text);

// A table or feed value for HTML inside a JavaScript string: to_utf8, html_escape, then
// js_string_escape.
std::string js_html_value(std::string_view text);

}  // namespace mappage
