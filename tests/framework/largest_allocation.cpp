#include "tests/framework/largest_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_watching{false};
std::atomic<size_t> g_largest{0};
} // namespace

void* operator new(size_t size)
{
    if (g_watching && size > g_largest) g_largest = size;
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }

void operator delete(void* p, size_t) noexcept { std::free(p); }

size_t LargestAllocationDuring(const std::function<void()>& work)
{
    g_largest = 0;
    g_watching = true;
    work();
    g_watching = false;
    return g_largest;
}
