// libFuzzer target: any answer to the update check. The first two bytes are the status code
// (0 for none), the rest the body. The outcome's text is the window's: up to date, an update
// naming the published version's line, or a failure saying so.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/update_check.hpp"
#include "fuzz_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    platform::HttpResult answer;
    answer.status = data[0] * 256 + data[1];
    answer.ok = answer.status != 0 || (size > 2 && data[2] % 2 == 0);
    answer.body = std::string(fuzz::as_text(data + 2, size - 2));

    const std::string_view line = app::first_line(answer.body);
    fuzz::require(answer.body.starts_with(line), "the first line is not the answer's start");
    fuzz::require(line.find('\n') == std::string_view::npos, "the first line holds a line feed");

    const app::UpdateCheck check = app::evaluate_update(answer, "1.72");
    switch (check.outcome) {
        case app::UpdateOutcome::UpToDate:
            fuzz::require(check.text == app::kUpToDateText, "up to date with another text");
            break;
        case app::UpdateOutcome::UpdateAvailable:
            fuzz::require(check.text == std::string(app::kUpdateAvailableText) + std::string(line),
                          "an update that does not name the published line");
            break;
        case app::UpdateOutcome::Failed:
            fuzz::require(check.text.starts_with(app::kCheckFailedText),
                          "a failure that does not say so");
            break;
    }
    fuzz::require(check.show_website() == (check.outcome == app::UpdateOutcome::UpdateAvailable),
                  "the website button disagrees with the outcome");
    return 0;
}
