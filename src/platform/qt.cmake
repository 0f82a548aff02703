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
# The window icon comes from data/brondel.svg where Qt's SVG module is installed; without it
# qt_start.cpp paints the same picture itself.
find_package(Qt6 QUIET COMPONENTS Svg)
if(Qt6Svg_FOUND)
  target_link_libraries(brondel_gui PUBLIC Qt6::Svg)
  target_compile_definitions(brondel_gui PRIVATE BRONDEL_HAVE_QTSVG)
  qt_add_resources(brondel_gui brondel_icon PREFIX /brondel BASE ${PROJECT_SOURCE_DIR}/data
                   FILES ${PROJECT_SOURCE_DIR}/data/brondel.svg)
endif()
