#pragma once
#include <string>

namespace testing_support {
// Path of a fixture under tests/data.
inline std::string data_path(const std::string& name) {
    return std::string(SKELVAR_TEST_DATA_DIR) + "/" + name;
}
}  // namespace testing_support
