// Counts the heap allocations of the whole process (malloc, calloc, realloc:
// operator new and libX11 included) between Start and Stop. Only unsanitized
// builds can stand in front of the allocator; there kCountsAllocations is false
// and the count stays 0.
#pragma once

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kCountsAllocations = false;
#else
constexpr bool kCountsAllocations = true;
#endif

void StartCountingAllocations();
// The number of allocations since StartCountingAllocations.
size_t StopCountingAllocations();
