# Qt half of the platform layer: windows, gadgets, events, menus, requesters, fonts, drawing.
target_sources(brondel_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qt_start.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_style.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_gadgets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_requesters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_fonts.cpp)
