#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace cli {
// Runs the companion with its arguments (without the program name); returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
}  // namespace cli
