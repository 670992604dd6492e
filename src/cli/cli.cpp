#include "cli/cli.hpp"

#include <ostream>

namespace cli {
int run(const std::vector<std::string>&, std::ostream& out, std::ostream&) {
    out << "skelvar-cli\n";
    return 0;
}
}  // namespace cli
