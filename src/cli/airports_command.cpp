#include <array>
#include <ostream>

#include "app/airport_session.hpp"
#include "app/session.hpp"
#include "cli/commands.hpp"
#include "platform/core/locale_info.hpp"

namespace cli {
namespace {

constexpr std::array kListForms{
    Usage{"",
          "Prints the airport list as the window loads it (DIR/system/airplst, else the\n"
          "built-in airports), one \"name TAB coordinates\" line each."}};

constexpr std::array kSearchForms{
    Usage{"TEXT",
          "Searches TEXT in the airport lookup file DIR/system/az5 as the airport editor's\n"
          "\"Search\" does, answering No to every question: prints each airport offered as\n"
          "\"name TAB latitude TAB longitude\", then the message the search ends with.\n"
          "Exit status 0 when an airport was offered, 1 when none was."}};

app::Session airport_session(const std::string& app_folder) {
    app::Session s;
    s.frame.layout = app::ProgramLayout(app_folder);
    s.frame.comma_decimal = platform::locale_uses_decimal_comma();
    app::load_airports(s);
    return s;
}

int list_airports(const Invocation& invocation, std::ostream& out, std::ostream&) {
    const app::Session s = airport_session(invocation.app_folder);
    for (const airports::Airport& a : s.airports.list.items) {
        out << a.name << '\t' << a.coords << '\n';
    }
    return s.airports.list.items.empty() ? kNothingFound : kOk;
}

int search_airports(const Invocation& invocation, std::ostream& out, std::ostream&) {
    app::Session s = airport_session(invocation.app_folder);
    airports::EditorBoxes boxes{invocation.operands[0], {}, {}};
    bool offered = false;
    airports::search_lookup(
        app::lookup_text(s), s.airports.list, boxes,
        [&](const airports::Candidate& c, const std::string&) {
            out << c.name << '\t' << c.latitude << '\t' << c.longitude << '\n';
            offered = true;
            return airports::CandidateAnswer::No;
        },
        [&](const std::string& text) { print_message(out, text); });
    return offered ? kOk : kNothingFound;
}

}  // namespace

Command airports_command() {
    return {"airports", "", 0, kListForms, &list_airports};
}

Command airport_search_command() {
    return {"airport-search", "TEXT", 1, kSearchForms, &search_airports};
}

}  // namespace cli
