#include "heap_meter.h"

#include <malloc.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define VORN_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORN_SOAK_ASAN 1
#endif
#endif

#ifdef VORN_SOAK_ASAN
// The sanitizer runtime's own count (declared here: g++ does not install
// the sanitizer interface headers).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace vorn::soak {

uint64_t heapInUse() {
#ifdef VORN_SOAK_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

const char* heapMeterName() {
#ifdef VORN_SOAK_ASAN
  return "asan";
#else
  return "mallinfo2";
#endif
}

}  // namespace vorn::soak
