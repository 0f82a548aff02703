# Whole processes timed side by side, and the peer of the editor's start-up.
add_executable(process_timer ${CMAKE_CURRENT_LIST_DIR}/peers/process_timer.cpp)
add_dependencies(process_timer brondel-generate)
if(BRONDEL_GUI)
  add_executable(one_button_window ${CMAKE_CURRENT_LIST_DIR}/peers/one_button_window.cpp)
  target_link_libraries(one_button_window PRIVATE Qt6::Widgets)
endif()
