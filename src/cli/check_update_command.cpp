#include <array>
#include <ostream>

#include "app/build_settings.hpp"
#include "app/update_check.hpp"
#include "cli/commands.hpp"
#include "platform/http/http_get.hpp"

namespace cli {
namespace {

constexpr int kUpdateAvailable = 10;
constexpr int kCheckFailed = 1;

constexpr std::array kForms{
    Usage{"[--url URL]",
          "Asks the maker's site (or URL, the full address of the update endpoint) for the\n"
          "latest version and prints what the Updates window would show; with an update also\n"
          "the program's page. Exit status 0 up to date, 10 update available, 1 check failed."}};

int check_update(const Invocation& invocation, std::ostream& out, std::ostream&) {
    const std::string url = invocation.option_value.empty() ? app::update_url(app::kMakerSite)
                                                            : invocation.option_value;
    const app::UpdateCheck check =
        app::check_update(&platform::native_http_get, url, app::kAppVersion);
    out << check.text << '\n';
    switch (check.outcome) {
        case app::UpdateOutcome::UpToDate:
            return kOk;
        case app::UpdateOutcome::UpdateAvailable:
            out << app::program_page_url(app::kMakerSite) << '\n';
            return kUpdateAvailable;
        case app::UpdateOutcome::Failed:
            break;
    }
    return kCheckFailed;
}

}  // namespace

Command check_update_command() {
    Command c{"check-update", "[--url URL]", 0, kForms, &check_update};
    c.value_option = "--url";
    c.app_folder = false;
    return c;
}

}  // namespace cli
