# The product: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZIBBET_MINGW i686-w64-mingw32)
# x87 would evaluate doubles in 80-bit registers and round the fade's halves differently.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
