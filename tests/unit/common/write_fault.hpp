#pragma once
// Installs a fault into the whole-file writes for the life of the object.

#include "common/file_io.hpp"

namespace testing_support {

struct ScopedWriteFault {
    explicit ScopedWriteFault(common::WriteFault fault) { common::set_write_fault(fault); }
    ~ScopedWriteFault() { common::set_write_fault(std::nullopt); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

}  // namespace testing_support
