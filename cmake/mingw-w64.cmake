# Cross-compiles for Windows with Debian's mingw-w64 toolchain; the processor comes from the
# one-line toolchain file that includes this one (mingw-i686.cmake, mingw-x86_64.cmake). The
# programs are linked statically so that they run on a bare Windows without the compiler's
# runtime DLLs. Tests run under Wine through scripts/wine-run, which keeps its own prefix in the
# build folder and picks Wine's loader for the processor.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT CMAKE_SYSTEM_PROCESSOR MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "mingw-w64.cmake: set CMAKE_SYSTEM_PROCESSOR to i686 or x86_64 first")
endif()

set(MINGW_TRIPLET ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
# The posix thread model: its libstdc++ has std::thread and std::mutex (the win32 one of GCC 12
# has not); with -static its winpthread is linked in as well.
find_program(CMAKE_C_COMPILER NAMES ${MINGW_TRIPLET}-gcc-posix ${MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_TRIPLET}-g++-posix ${MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_TRIPLET}-windres REQUIRED)
find_program(CORVANTA_MINGW_OBJDUMP NAMES ${MINGW_TRIPLET}-objdump REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
# scripts/wine-run reads this from the build folder's cache to choose the prefix's kind.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
  set(CORVANTA_WINE_ARCH win64 CACHE INTERNAL "Kind of Wine prefix the build's programs need")
else()
  set(CORVANTA_WINE_ARCH win32 CACHE INTERNAL "Kind of Wine prefix the build's programs need")
endif()

# -O2 rather than CMake's -O3: at -O3 this GCC reports false -Wrestrict overlaps inside
# std::string concatenation, and the programs gain nothing from it.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the release build")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the release build")
