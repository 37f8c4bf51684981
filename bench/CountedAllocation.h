#pragma once
// Every allocation of the benchmark program counted, to know the peak memory
// of one piece of work. Include in exactly one source file of a program: it
// replaces the global operator new and delete.

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace bench {

inline std::atomic<long long> liveBytes{0};
inline std::atomic<long long> peakBytes{0};

inline void* countedAllocate(std::size_t size) {
    auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (!block) throw std::bad_alloc();
    *block = size;
    const long long live = liveBytes += static_cast<long long>(size);
    long long peak = peakBytes.load();
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
    }
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

inline void countedFree(void* pointer) {
    if (!pointer) return;
    auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(pointer) - sizeof(std::max_align_t));
    liveBytes -= static_cast<long long>(*block);
    std::free(block);
}

/// The most memory the work holds at once beyond what was held before it.
template <class Work> long long peakBytesOf(Work&& work) {
    const long long before = liveBytes.load();
    peakBytes = before;
    work();
    return peakBytes.load() - before;
}

} // namespace bench

void* operator new(std::size_t size) {
    return bench::countedAllocate(size);
}
void* operator new[](std::size_t size) {
    return bench::countedAllocate(size);
}
void operator delete(void* pointer) noexcept {
    bench::countedFree(pointer);
}
void operator delete[](void* pointer) noexcept {
    bench::countedFree(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    bench::countedFree(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    bench::countedFree(pointer);
}
