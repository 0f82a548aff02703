# brondel-generate: chart files to pages from the command line. Qt-free: brondel_core only.
add_executable(brondel-generate ${CMAKE_CURRENT_LIST_DIR}/generate_main.cpp)
target_link_libraries(brondel-generate PRIVATE brondel_core)
