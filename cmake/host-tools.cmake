# The tools the build runs, built for the build machine by its own compiler when the programs
# are cross-built (giflib, which draws the connector images, exists only there).
include(ExternalProject)
set(host_tools_dir ${CMAKE_BINARY_DIR}/host-tools)
ExternalProject_Add(brondel_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools
  BINARY_DIR ${host_tools_dir}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  BUILD_BYPRODUCTS ${host_tools_dir}/make_connector_images
  INSTALL_COMMAND ""
  BUILD_ALWAYS TRUE)
add_executable(make_connector_images IMPORTED GLOBAL)
set_target_properties(make_connector_images PROPERTIES
                      IMPORTED_LOCATION ${host_tools_dir}/make_connector_images)
set(BRONDEL_IMAGE_TOOL_TARGET brondel_host_tools)
