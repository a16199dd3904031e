# What `cmake --install` lays out (and the Debian package carries): both programs, the desktop
# integration under the application id, a manual page for each program and the copyright notice.
# Everything the programs read is linked into them, so nothing else is installed.
include(GNUInstallDirs)
set(NOCTARIS_MAINTAINER "Noctaris developers <noctaris@users.noreply.github.io>")

# Only libraries outside the system's own folders (a Qt in /opt, say) need a run path; nothing
# ever points back into the build tree.
set_target_properties(noctaris noctaris-cli PROPERTIES INSTALL_RPATH_USE_LINK_PATH ON)
install(TARGETS noctaris noctaris-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop_dir}/${NOCTARIS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${desktop_dir}/${NOCTARIS_APP_ID}.metainfo.xml.in
  ${PROJECT_BINARY_DIR}/desktop/${NOCTARIS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/desktop/${NOCTARIS_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_dir}/${NOCTARIS_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNG sizes are the ones the program also embeds for its window icon.
foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/pictures/icon${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${NOCTARIS_APP_ID}.png)
endforeach()

# Manual pages, gzip-compressed as the distributions ship them. The command-line program's page
# takes its commands from the program's own --help, so it cannot fall behind the program.
set(man_dir ${PROJECT_BINARY_DIR}/man)
set(man_script ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake)
add_custom_command(OUTPUT ${man_dir}/noctaris.1.gz
  COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${PROJECT_SOURCE_DIR}/docs/man/noctaris.1.in
    -DOUTPUT=${man_dir}/noctaris.1.gz -DVERSION=${PROJECT_VERSION} -DDATE=${NOCTARIS_RELEASE_DATE}
    -P ${man_script}
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/noctaris.1.in ${man_script}
  COMMENT "Writing the manual page noctaris.1" VERBATIM)
add_custom_command(OUTPUT ${man_dir}/noctaris-cli.1.gz
  # A sanitized build would otherwise report the leak check's findings into the page's input.
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
    ${CMAKE_COMMAND} -DTEMPLATE=${PROJECT_SOURCE_DIR}/docs/man/noctaris-cli.1.in
    -DOUTPUT=${man_dir}/noctaris-cli.1.gz -DVERSION=${PROJECT_VERSION} -DDATE=${NOCTARIS_RELEASE_DATE}
    -DPROGRAM=$<TARGET_FILE:noctaris-cli> -P ${man_script}
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/noctaris-cli.1.in ${man_script} noctaris-cli
  COMMENT "Writing the manual page noctaris-cli.1 from noctaris-cli --help" VERBATIM)
add_custom_target(man ALL DEPENDS ${man_dir}/noctaris.1.gz ${man_dir}/noctaris-cli.1.gz)
install(FILES ${man_dir}/noctaris.1.gz ${man_dir}/noctaris-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Copyright notice and changelog where Debian's policy puts them (share/doc/<package>).
set(NOCTARIS_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/noctaris)
string(SUBSTRING "${NOCTARIS_RELEASE_DATE}" 0 4 NOCTARIS_RELEASE_YEAR)
# RFC 2822 date of the release for the changelog trailer.
execute_process(COMMAND date -u -R -d "${NOCTARIS_RELEASE_DATE} 12:00" OUTPUT_VARIABLE NOCTARIS_RELEASE_DATE_RFC2822
  OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
  COMMAND gzip -9 -n -f -k ${PROJECT_BINARY_DIR}/debian/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog VERBATIM)
add_custom_target(changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
  DESTINATION ${NOCTARIS_DOC_DIR})
