// libFuzzer target: any bytes as mm.dat. Loading applies without a crash and saving what was
// loaded is stable: the file written after one load, loaded and written again, is the same, and
// so are the texts it carries. (A file of fewer lines leaves settings and ticks as they were, so
// the ticks of the first load may differ from those of the file written after it.)

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/settings.hpp"
#include "fuzz_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    app::SettingsValues values;
    app::MenuChecks checks;
    app::loaddata(fuzz::as_text(data, size), values, checks);
    const std::string saved = app::savedata_text(values);

    app::SettingsValues again;
    app::loaddata(saved, again, checks);
    fuzz::require(app::savedata_text(again) == saved, "mm.dat changes from save to save");
    fuzz::require(again.logs_folder == values.logs_folder && again.text3 == values.text3,
                  "a text setting changes from save to save");
    return 0;
}
