#pragma once
// Bytes of heap the program holds right now: the sanitizer allocator's own
// count under AddressSanitizer (it replaces malloc, so mallinfo2 sees
// nothing there), otherwise glibc's bytes in use.
#include <cstdint>

namespace vorn::soak {

uint64_t heapInUse();
// "asan", "tsan" or "mallinfo2": which count heapInUse reads.
const char* heapMeterName();

}  // namespace vorn::soak
