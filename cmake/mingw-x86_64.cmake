# Only for running the Windows tests where the kernel cannot run 32-bit
# programs (Wine then runs 64-bit ones only); the product stays 32-bit.
set(VORN_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
