#pragma once
#include <string>
#include <vector>

namespace platform {

// A console program's arguments after its name, as UTF-8. Windows hands main() the arguments in
// the ANSI code page, which cannot hold most file names, so there they are taken from the wide
// command line instead; there the standard streams are also switched to pass bytes as written
// (no LF to CR LF translation), so the output matches other systems' byte for byte.
std::vector<std::string> program_arguments(int argc, char** argv);

}  // namespace platform
