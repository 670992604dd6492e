#pragma once
// plot_planesOSM in the program folder: the map update's texts written to system/apmm.js and,
// when due, system/mm.htm. Shared by the window (which then opens the page through its loopback
// server) and the companion.

#include <optional>
#include <string>

#include "app/program_layout.hpp"
#include "common/file_io.hpp"
#include "mappage/map_page.hpp"

namespace app {

struct MapWrite {
    std::optional<mappage::MapUpdate> update;  // nothing: no extent, nothing written or opened
    mappage::MapWriteResult files;             // what was written, the first failure
};

MapWrite map_update(mappage::MapView& view, const mappage::MapInput& input,
                    const ProgramLayout& layout);

}  // namespace app
