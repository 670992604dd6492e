// Draws the 36 traffic icons into the program folder's system/imgs/:
//   skelvar-icongen PROGRAM_FOLDER
#include <iostream>

#include "aircraft_icon.hpp"
#include "app/program_layout.hpp"
#include "common/file_io.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: skelvar-icongen PROGRAM_FOLDER\n";
        return 2;
    }
    const app::ProgramLayout layout(argv[1]);
    for (const auto& folder : {layout.system_folder(), layout.icons_folder()}) {
        if (const auto status = common::create_folder(folder); !status) {
            std::cerr << "skelvar-icongen: cannot create " << status.error->text() << '\n';
            return 1;
        }
    }
    for (int direction = 0; direction < 360; direction += 10) {
        const std::string gif = icongen::encode_gif(icongen::draw_aircraft(direction));
        if (gif.empty()) {
            std::cerr << "skelvar-icongen: giflib could not encode icon " << direction << '\n';
            return 1;
        }
        if (const auto status = common::write_file_atomic(layout.icon_file(direction), gif);
            !status) {
            std::cerr << "skelvar-icongen: cannot write " << status.error->text() << '\n';
            return 1;
        }
    }
    return 0;
}
