#pragma once
// The update check: asks the maker's site for the latest published version and compares it
// with the program's own, producing the texts the Updates window shows.

#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.hpp"

namespace app {

inline constexpr int kUpdateTimeoutMs = 20000;
inline constexpr std::string_view kUpToDateText = "Your version is up to date.";
inline constexpr std::string_view kUpdateAvailableText = "An update is available ";
inline constexpr std::string_view kCheckFailedText = "Could not check for updates: ";
inline constexpr std::string_view kCheckWebsiteCaption = " Check Website";
inline constexpr std::string_view kNoHtmlAssociationMessage =
    "Cannot launch file . No association with 'html' files.";

// Addresses on the maker's site (site given without a trailing "/").
std::string update_url(std::string_view site);
std::string program_page_url(std::string_view site);  // "/osm/skelvar.html"
std::string maker_page_url(std::string_view site);    // "/osm"
std::string user_agent(std::string_view version);

// The answer's first line: up to the first CR LF (or LF), the whole answer without one.
std::string_view first_line(std::string_view answer) noexcept;

enum class UpdateOutcome { UpToDate, UpdateAvailable, Failed };

struct UpdateCheck {
    UpdateOutcome outcome = UpdateOutcome::Failed;
    std::string text;  // Label3(0)
    [[nodiscard]] bool show_website() const { return outcome == UpdateOutcome::UpdateAvailable; }
};

// Reads the endpoint's answer and compares its first line numerically with the installed
// version; a check that could not be made says why instead of claiming "up to date".
UpdateCheck evaluate_update(const platform::HttpResult& answer, std::string_view app_version);

using HttpFetch = std::function<platform::HttpResult(std::string_view url,
                                                     std::string_view user_agent, int timeout_ms)>;
UpdateCheck check_update(const HttpFetch& fetch, std::string_view url,
                         std::string_view app_version);

// Label1 of the About window: the version and the year it is opened in.
std::string about_version_text(std::string_view app_version, int year);

}  // namespace app
