#pragma once
// Counts calls of the global operator new in this test executable.

#include <cstddef>

std::size_t AllocationCount();
