// The largest single allocation a piece of code makes, to show that damaged
// lengths never make a reader ask for memory the data cannot fill. Linking
// largest_allocation.cpp replaces the program's operator new.
#pragma once

#include <cstddef>
#include <functional>

size_t LargestAllocationDuring(const std::function<void()>& work);
