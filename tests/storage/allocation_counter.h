#pragma once

#include <cstddef>

namespace quorvel::test {

// Adds up the bytes requested through operator new while it exists. The test binary replaces
// the global operator new to do the counting; only one counter may be alive at a time.
class AllocationCounter {
  public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    std::size_t bytes() const;
};

}
