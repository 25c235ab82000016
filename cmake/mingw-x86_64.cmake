# Cross-compiling for 64-bit Windows with mingw-w64 (x86_64, POSIX threads).
# The shipped program is the 32-bit build (mingw-i686.cmake); this build runs
# the Windows tests under 64-bit Wine on hosts whose kernel cannot run 32-bit
# code. Our code is the same for both (pointer-sized window data throughout).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
