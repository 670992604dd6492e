#include "app/update_check.hpp"

#include "common/text.hpp"

namespace app {
namespace {

std::string on_site(std::string_view site, std::string_view path) {
    while (site.ends_with('/')) site.remove_suffix(1);
    std::string url(site);
    url += path;
    return url;
}

// numeric_value gives 0 both for "0" and for a line without a number; only the first is a
// version.
bool starts_with_number(std::string_view s) noexcept {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    if (!s.empty() && s.front() == '.') s.remove_prefix(1);
    return !s.empty() && s.front() >= '0' && s.front() <= '9';
}

UpdateCheck failed(std::string_view reason) {
    return {UpdateOutcome::Failed, std::string(kCheckFailedText) + std::string(reason)};
}

}  // namespace

std::string update_url(std::string_view site) {
    return on_site(site, "/varnok");
}
std::string program_page_url(std::string_view site) {
    return on_site(site, "/osm/skelvar.html");
}
std::string maker_page_url(std::string_view site) {
    return on_site(site, "/osm");
}

std::string user_agent(std::string_view version) {
    return "Skelvar/" + std::string(version);
}

std::string_view first_line(std::string_view answer) noexcept {
    const std::size_t end = answer.find('\n');
    if (end == std::string_view::npos) return answer;
    std::string_view line = answer.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

UpdateCheck evaluate_update(const platform::HttpResult& answer, std::string_view app_version) {
    if (answer.status != 0 && answer.status != 200) {
        return failed("the server answered with status " + std::to_string(answer.status));
    }
    if (!answer.ok) return failed("no answer from the server (no network or time-out)");
    const std::string_view line = first_line(answer.body);
    if (!starts_with_number(line)) return failed("the answer is not a version number");
    if (common::numeric_value(app_version) >= common::numeric_value(line)) {
        return {UpdateOutcome::UpToDate, std::string(kUpToDateText)};
    }
    return {UpdateOutcome::UpdateAvailable, std::string(kUpdateAvailableText) + std::string(line)};
}

UpdateCheck check_update(const HttpFetch& fetch, std::string_view url,
                         std::string_view app_version) {
    return evaluate_update(fetch(url, user_agent(app_version), kUpdateTimeoutMs), app_version);
}

std::string about_version_text(std::string_view app_version, int year) {
    return "Version " + std::string(app_version) + "  \xC2\xA9 " + std::to_string(year);
}

}  // namespace app
