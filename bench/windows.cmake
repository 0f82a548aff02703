# The Windows editor's start-up beside a plain Win32 window, both run under Wine by
# bench/windows-startup.
if(BRONDEL_GUI)
  add_executable(brondel_startup_probe ${CMAKE_CURRENT_LIST_DIR}/startup/probe_main.cpp)
  target_link_libraries(brondel_startup_probe PRIVATE brondel_gui)
  add_executable(one_button_window ${CMAKE_CURRENT_LIST_DIR}/peers/one_button_window_win32.cpp)
endif()
if(TARGET one_button_window)
  set_target_properties(brondel_startup_probe one_button_window
                        PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endif()
