#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace cli {
// Runs the companion with its arguments (without the program name); returns the exit status.
// The output is flushed before returning; output that could not be written gives status 4.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
}  // namespace cli
