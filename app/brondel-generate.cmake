# brondel-generate: chart files to pages from the command line. Qt-free: brondel_core only.
add_executable(brondel-generate ${CMAKE_CURRENT_LIST_DIR}/generate_main.cpp)
target_link_libraries(brondel-generate PRIVATE brondel_core)
# Linked statically, the program starts without the dynamic loader's work, which is about half
# of the time its users wait for it. Sanitizer and fuzzing builds need their dynamic runtimes.
if(NOT BRONDEL_SANITIZE AND NOT BRONDEL_FUZZ)
  target_link_options(brondel-generate PRIVATE -static)
endif()
install(TARGETS brondel-generate RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
