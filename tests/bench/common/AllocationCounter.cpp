#include "tests/bench/common/AllocationCounter.h"

namespace {
bool counting = false;
size_t allocations = 0;
}  // namespace

void StartCountingAllocations()
{
    allocations = 0;
    counting = true;
}

size_t StopCountingAllocations()
{
    counting = false;
    return allocations;
}

#if !defined(__SANITIZE_ADDRESS__)
// Every allocation of the process goes through these, in front of glibc's.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);

void* malloc(size_t size)
{
    allocations += counting;
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size)
{
    allocations += counting;
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, size_t size)
{
    allocations += counting;
    return __libc_realloc(pointer, size);
}

void free(void* pointer)
{
    __libc_free(pointer);
}
}
#endif
