#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> Count{0};
}

std::size_t AllocationCount() {
    return Count.load();
}

void* operator new(std::size_t Size) {
    ++Count;
    if (void* P = std::malloc(Size ? Size : 1)) return P;
    throw std::bad_alloc();
}

void operator delete(void* P) noexcept {
    std::free(P);
}

void operator delete(void* P, std::size_t) noexcept {
    std::free(P);
}
