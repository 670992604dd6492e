#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "platform/core/program_arguments.hpp"

int main(int argc, char** argv) {
    // std::cout then writes through stdout's own buffer, so flushing it is fflush(stdout) and a
    // full disk shows in the stream's state before the program ends.
    std::ios::sync_with_stdio(true);
    const std::vector<std::string> args = platform::program_arguments(argc, argv);
    return cli::run(args, std::cout, std::cerr);
}
