// Builds the shipped look-up tables from the airport and airline data sets:
//   skelvar-datagen AIRPORTS_JSON AIRLINES_JSON PROGRAM_FOLDER
// writes them under the program folder's system/, where the program reads them.
#include <iostream>
#include <string>
#include <vector>

#include "airports/lookup_file.hpp"
#include "app/program_layout.hpp"
#include "common/file_io.hpp"
#include "platform/core/program_arguments.hpp"
#include "records.hpp"

namespace {

bool write(const std::string& path, const std::string& bytes) {
    if (const auto status = common::write_file_atomic(path, bytes); !status) {
        std::cerr << "skelvar-datagen: cannot write " << status.error->text() << '\n';
        return false;
    }
    std::cout << path << ": " << bytes.size() << " bytes\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // The build folder may be named beyond the ANSI code page on Windows.
    const std::vector<std::string> args = platform::program_arguments(argc, argv);
    if (args.size() != 3) {
        std::cerr << "usage: skelvar-datagen AIRPORTS_JSON AIRLINES_JSON PROGRAM_FOLDER\n";
        return 2;
    }
    const auto airports_json = common::read_file_checked(args[0]);
    const auto airlines_json = common::read_file_checked(args[1]);
    for (const auto* read : {&airports_json, &airlines_json}) {
        if (read->error) {
            std::cerr << "skelvar-datagen: cannot read " << read->error->text() << '\n';
            return 1;
        }
    }
    const app::ProgramLayout layout(args[2]);
    if (const auto status = common::create_folder(layout.system_folder()); !status) {
        std::cerr << "skelvar-datagen: cannot create " << status.error->text() << '\n';
        return 1;
    }
    try {
        const auto airports = datagen::airports_from_json(airports_json.data);
        const auto airlines = datagen::airlines_from_json(airlines_json.data);
        std::cout << airports.size() << " airports, " << airlines.size() << " airlines\n";
        const bool written =
            write(layout.airlines_file(), datagen::airlines_file(airlines)) &&
            write(layout.iata_file(), datagen::iata_file(airports)) &&
            write(layout.lookup_file(), airports::scramble_lookup(datagen::lookup_text(airports)));
        return written ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "skelvar-datagen: the data is not what was expected: " << e.what() << '\n';
        return 1;
    }
}
