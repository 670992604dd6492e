#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.hpp"

int main(int argc, char** argv) {
    // std::cout then writes through stdout's own buffer, so flushing it is fflush(stdout) and a
    // full disk shows in the stream's state before the program ends.
    std::ios::sync_with_stdio(true);
    std::vector<std::string> args(argv + 1, argv + argc);
    return cli::run(args, std::cout, std::cerr);
}
