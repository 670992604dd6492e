#include "mappage/map_text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(MapText, windows1252BecomesUtf8AndUtf8StaysAsItIs) {
    struct Case {
        const char* name;
        std::string in, want;
    };
    const Case cases[] = {
        {"ascii", "Heathrow", "Heathrow"},
        {"latin1Letter", "Caf\xE9", "Caf\xC3\xA9"},
        {"euroSign", "\x80", "\xE2\x82\xAC"},
        {"curlyApostrophe", "O\x92Hare", "O\xE2\x80\x99Hare"},
        {"undefinedByteKeepsC1", "\x81", "\xC2\x81"},
        {"validUtf8", "Z\xC3\xBCrich", "Z\xC3\xBCrich"},
        {"threeByteUtf8", "\xE2\x82\xAC", "\xE2\x82\xAC"},
        {"truncatedSequence", "Z\xC3", "Z\xC3\x83"},
        {"overlongSlash", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"mixedIsReadAsOneCodePage", "\xC3\xBC\xFC", "\xC3\x83\xC2\xBC\xC3\xBC"},
    };
    for (const Case& c : cases) EXPECT_EQ(mappage::to_utf8(c.in), c.want) << c.name;
}

TEST(MapText, valuesForHtmlInsideAJavaScriptString) {
    struct Case {
        const char* name;
        std::string in, want;
    };
    const Case cases[] = {
        {"plain", "British Airways", "British Airways"},
        {"apostrophe", "Chicago O'Hare", "Chicago O\\u0026#39;Hare"},
        {"doubleQuote", "say \"hi\"", "say \\u0026quot;hi\\u0026quot;"},
        {"backslash", "a\\b", "a\\\\b"},
        {"scriptEnd", "</script>", "\\u0026lt;/script\\u0026gt;"},
        {"ampersand", "A&B", "A\\u0026amp;B"},
        {"lineBreaks", "a\r\nb\nc", "a\\u000d\\u000ab\\u000ac"},
        {"tabAndNul", std::string("a\tb\0c", 5), "a\\u0009b\\u0000c"},
        {"lineSeparator",
         "a\xE2\x80\xA8"
         "b\xE2\x80\xA9",
         "a\\u2028b\\u2029"},
        {"codePageText", "Nice C\xF4te d'Azur", "Nice C\xC3\xB4te d\\u0026#39;Azur"},
    };
    for (const Case& c : cases) EXPECT_EQ(mappage::js_html_value(c.in), c.want) << c.name;
}

TEST(MapText, javaScriptEscapeLeavesNoCharacterThatEndsTheStringOrTheScript) {
    const std::string hostile = "'\"\\</script><!--\r\n&\x7f";
    const std::string out = mappage::js_string_escape(hostile);
    EXPECT_EQ(out.find_first_of("'\"<>&\r\n\x7f"), std::string::npos) << out;
    // Every backslash in the output starts an escape, so none can swallow the closing quote.
    for (std::size_t i = out.find('\\'); i != std::string::npos; i = out.find('\\', i + 2)) {
        ASSERT_LT(i + 1, out.size());
        EXPECT_TRUE(out[i + 1] == '\\' || out[i + 1] == 'u') << out;
    }
}

}  // namespace
