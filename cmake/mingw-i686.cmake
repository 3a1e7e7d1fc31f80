# 32-bit Windows on x86: the platform the launcher is made for, and the program we ship first.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
