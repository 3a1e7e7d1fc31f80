# GoogleTest built from the sources of Debian's googletest package with the target's compiler,
# under the same GTest:: names that find_package(GTest) gives on the host.
set(CORVANTA_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${CORVANTA_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${CORVANTA_GOOGLETEST_SOURCE_DIR} "
                      "(Debian package googletest; scripts/install-deps installs it)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
# Windows has its own synchronisation in GoogleTest; it needs no pthread.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${CORVANTA_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

foreach(library gtest gtest_main gmock gmock_main)
  # Third-party code: our warning flags are not its business.
  target_compile_options(${library} PRIVATE -w)
endforeach()
