# 64-bit Windows on x86-64: for systems without 32-bit support, and for test machines whose
# kernel cannot run 32-bit code (Wine's 64-bit loader runs there).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
