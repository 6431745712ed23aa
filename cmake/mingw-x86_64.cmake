# The same sources built for x86-64. Kernels without 32-bit user-space support
# can still run these natively under wine64, which keeps the Win32 test suite
# fast; the shipped program is the 32-bit build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TELLARO_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
