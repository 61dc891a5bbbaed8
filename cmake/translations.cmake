# The window's texts in other languages: po/LL.po compiled by msgfmt into
# build/locale/LL/LC_MESSAGES/pindle.mo, which the window finds there or installed under
# share/locale. `cmake --build build --target pot` renews po/pindle.pot from the sources.
find_program(MSGFMT msgfmt REQUIRED)
find_program(XGETTEXT xgettext)
set(PINDLE_LANGUAGES de fr es)
set(PINDLE_LOCALE_DIR ${CMAKE_BINARY_DIR}/locale)
set(catalogs)
foreach(lang ${PINDLE_LANGUAGES})
  set(mo ${PINDLE_LOCALE_DIR}/${lang}/LC_MESSAGES/pindle.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PINDLE_LOCALE_DIR}/${lang}/LC_MESSAGES
    COMMAND ${MSGFMT} --check -o ${mo} ${CMAKE_SOURCE_DIR}/po/${lang}.po
    DEPENDS ${CMAKE_SOURCE_DIR}/po/${lang}.po
    COMMENT "Compiling the ${lang} catalog")
  list(APPEND catalogs ${mo})
  install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${lang}/LC_MESSAGES)
endforeach()
add_custom_target(catalogs ALL DEPENDS ${catalogs})

if(XGETTEXT)
  add_custom_target(pot
    COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/pot.sh
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Renewing po/pindle.pot")
endif()
