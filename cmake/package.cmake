# Installing as a real program: manual pages made from Markdown, icons made from one SVG, the
# desktop entry, the file types, the AppStream metadata, bash completion, and a Debian package
# of it all (cmake --build build --target package, or scripts/package.sh).
set(PINDLE_APP_ID org.pindlesworld.Pindle)
set(PINDLE_VERSION ${PROJECT_VERSION})
set(gen ${CMAKE_BINARY_DIR}/data)
find_program(GO_MD2MAN go-md2man REQUIRED)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)

set(pages pindle-run)
if(PINDLE_GUI)
  list(APPEND pages pindle)
endif()
set(made "")
foreach(page ${pages})
  configure_file(man/${page}.1.md ${gen}/${page}.1.md @ONLY)
  add_custom_command(OUTPUT ${gen}/${page}.1 ${gen}/${page}.1.gz
    COMMAND ${GO_MD2MAN} -in ${gen}/${page}.1.md -out ${gen}/${page}.1
    COMMAND ${GZIP} -9nkf ${gen}/${page}.1
    DEPENDS ${gen}/${page}.1.md VERBATIM)
  list(APPEND made ${gen}/${page}.1.gz)
  install(FILES ${gen}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES data/pindle-run.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME pindle-run)

if(PINDLE_GUI)
  foreach(size 16 32 48 64 128 256)
    set(icon ${gen}/icons/${size}x${size}/${PINDLE_APP_ID}.png)
    add_custom_command(OUTPUT ${icon}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${gen}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${icon} ${CMAKE_SOURCE_DIR}/data/pindle.svg
      DEPENDS data/pindle.svg VERBATIM)
    list(APPEND made ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES data/pindle.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${PINDLE_APP_ID}.svg)
  install(FILES data/${PINDLE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES data/${PINDLE_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME ${PINDLE_APP_ID}.xml)
  configure_file(data/${PINDLE_APP_ID}.metainfo.xml ${gen}/${PINDLE_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${gen}/${PINDLE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
add_custom_target(pindle_data ALL DEPENDS ${made})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pindle)
set(CPACK_PACKAGE_CONTACT "The Pindle's World developers <developers@pindlesworld.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "robot world that teaches programming")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A small robot, Pindle, stands on a grid of street corners with walls and
one-character things. Students drive it with keys and buttons, record key
sequences as named instructions, or write programs in Pindle's own small
language and run them step by step. Teachers hand out tasks, worlds with
goals, and grade many programs at once with the pindle-run command, which
writes CSV and JUnit reports. Examples and tasks are included.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://pindlesworld.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
