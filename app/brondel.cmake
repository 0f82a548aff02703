add_executable(brondel ${CMAKE_CURRENT_SOURCE_DIR}/brondel_main.cpp)
target_link_libraries(brondel PRIVATE brondel_gui)
install(TARGETS brondel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop's menu entry and the program's icon. The settings file is kept beside the
# installed program, so the program folder itself gets nothing else.
set(brondel_data ${PROJECT_SOURCE_DIR}/data)
install(FILES ${brondel_data}/brondel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${brondel_data}/brondel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# A 48 x 48 picture for desktops that take no SVG icons, where librsvg's converter is at hand.
# ImageMagick's own SVG renderer is not used: it draws every rectangle one pixel too large.
find_program(BRONDEL_RSVG_CONVERT rsvg-convert)
if(BRONDEL_RSVG_CONVERT)
  set(icon_png ${CMAKE_CURRENT_BINARY_DIR}/brondel-48.png)
  add_custom_command(OUTPUT ${icon_png}
    COMMAND ${BRONDEL_RSVG_CONVERT} --width 48 --height 48 --output ${icon_png}
            ${brondel_data}/brondel.svg
    DEPENDS ${brondel_data}/brondel.svg
    COMMENT "Rendering the 48 x 48 program icon")
  add_custom_target(brondel_icon_png ALL DEPENDS ${icon_png})
  install(FILES ${icon_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
          RENAME brondel.png)
endif()
