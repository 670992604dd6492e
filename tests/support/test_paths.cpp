#include "test_paths.hpp"
