add_executable(brondel ${CMAKE_CURRENT_SOURCE_DIR}/brondel_main.cpp)
target_link_libraries(brondel PRIVATE brondel_gui)
install(TARGETS brondel RUNTIME DESTINATION bin)
