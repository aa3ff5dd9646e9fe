#include "transition/rotate_rows.h"

namespace vorn::rotate {

// Asked once: the answer cannot change while the program runs. The checks
// include the system's saving of the wider registers.
bool haveAvx2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return has;
}

bool haveAvx512() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") != 0;
  }();
  return has;
}

}  // namespace vorn::rotate
