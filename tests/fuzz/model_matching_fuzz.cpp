// libFuzzer target: "Add to Config" on any model-matching file and any boxes. The input is cut at
// its NUL bytes: file text, type box, model box, json_path. An accepted add must pass the
// rewrite's own check again, and the file it would write (with the CR LF savetext adds) must
// then hold the entry, so a second add of the same pair stops instead of rewriting.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.hpp"
#include "matching/model_config.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest = fuzz::as_text(data, size);
    const std::string_view json_text = fuzz::next_part(rest);
    const std::string_view type_box = fuzz::next_part(rest);
    const std::string_view model_box = fuzz::next_part(rest);
    const std::string_view json_path = rest.empty() ? "/logs/ModelMatching.json" : rest;

    const matching::AddPlan plan =
        matching::prepare_add({json_path, type_box, model_box, json_text});
    (void)matching::companion_path(json_path);
    fuzz::require(plan.step == matching::AddStep::Ask || plan.new_text.empty(),
                  "a refused or stopped add offers a text to write");
    if (plan.step != matching::AddStep::Ask) return 0;
    fuzz::require(!matching::check_rewrite(json_text, type_box, model_box, plan.new_text),
                  "an offered rewrite fails its check");

    const std::string written = plan.new_text + "\r\n";
    const matching::AddPlan again =
        matching::prepare_add({json_path, type_box, model_box, written});
    fuzz::require(again.step == matching::AddStep::Stop && again.new_text.empty(),
                  "the rewritten file does not hold the added entry");
    return 0;
}
