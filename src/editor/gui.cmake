# Every .cpp of src/editor but the Qt-free chart model belongs to the editor library.
if(BRONDEL_EDITOR)
  file(GLOB editor_gui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(REMOVE_ITEM editor_gui_sources ${CMAKE_CURRENT_SOURCE_DIR}/chart.cpp)
  target_sources(brondel_gui PRIVATE ${editor_gui_sources})
endif()
