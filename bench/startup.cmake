if(BRONDEL_GUI)
  # The editor started as usual, ending itself as soon as its first frame is painted.
  add_executable(brondel_startup_probe ${CMAKE_CURRENT_LIST_DIR}/startup/probe_main.cpp)
  target_link_libraries(brondel_startup_probe PRIVATE brondel_gui)
endif()
