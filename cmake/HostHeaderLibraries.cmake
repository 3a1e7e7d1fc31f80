# Header-only libraries of the host serve the target as well, but their CMake packages point at
# /usr/include, whose C library headers would shadow the target's. Each gets a package of its own
# in the build folder whose include directory holds nothing but the library's headers.
function(corvanta_use_host_headers package version_file header_dir)
  set(root ${CMAKE_BINARY_DIR}/host-headers/${package})
  get_filename_component(header_name ${header_dir} NAME)
  file(MAKE_DIRECTORY ${root}/include)
  file(CREATE_LINK ${header_dir} ${root}/include/${header_name} SYMBOLIC)
  configure_file(${version_file} ${root}/${package}ConfigVersion.cmake COPYONLY)
  file(WRITE ${root}/${package}Config.cmake
       "if(NOT TARGET ${package}::${package})\n"
       "  add_library(${package}::${package} INTERFACE IMPORTED)\n"
       "  set_target_properties(${package}::${package} PROPERTIES\n"
       "    INTERFACE_INCLUDE_DIRECTORIES \"\${CMAKE_CURRENT_LIST_DIR}/include\")\n"
       "endif()\n")
  set(${package}_DIR ${root} CACHE PATH "${package} for the target, from the host's headers" FORCE)
endfunction()

corvanta_use_host_headers(nlohmann_json
                          /usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake
                          /usr/include/nlohmann)
