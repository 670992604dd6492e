#include "app/map_update.hpp"

namespace app {

MapWrite map_update(mappage::MapView& view, const mappage::MapInput& input,
                    const ProgramLayout& layout) {
    MapWrite result;
    const std::string page = layout.map_page_file();
    result.update = mappage::plot_planesOSM(view, input, common::file_exists(page));
    if (!result.update) return result;
    result.files = mappage::write_map_files({layout.map_script_file(), page}, *result.update);
    return result;
}

}  // namespace app
