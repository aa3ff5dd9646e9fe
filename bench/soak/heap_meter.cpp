#include "heap_meter.h"

#include <malloc.h>

#include <cstddef>

// Under a sanitizer the heap is the runtime's own, which glibc's figures
// do not see.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VORN_SOAK_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VORN_SOAK_SANITIZER 1
#endif
#endif

#ifdef VORN_SOAK_SANITIZER
// The sanitizer runtime's own count (declared here: g++ does not install
// the sanitizer interface headers).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace vorn::soak {

uint64_t heapInUse() {
#ifdef VORN_SOAK_SANITIZER
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

const char* heapMeterName() {
#if defined(__SANITIZE_THREAD__)
  return "tsan";
#elif defined(VORN_SOAK_SANITIZER)
  return "asan";
#else
  return "mallinfo2";
#endif
}

}  // namespace vorn::soak
