# What `cmake --install` puts where, and the Debian package made of it (scripts/package-deb.sh):
# the executables in bin/, the default pictures and neuro.net in share/vexa/ (an installed Vexa
# copies them into each user's folder), the desktop entry, the icon and the man pages.
include(GNUInstallDirs)

install(TARGETS vexa vexa-sim vexa-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
file(GLOB package_resources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
install(FILES ${package_resources} DESTINATION ${CMAKE_INSTALL_DATADIR}/vexa)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vexa.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vexa.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Man pages carry the version and are installed compressed, as Debian wants them.
set(man_pages)
foreach(page vexa vexa-sim vexa-cli)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
    COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/man/${page}.1 > ${CMAKE_BINARY_DIR}/man/${page}.1.gz
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1)
  list(APPEND man_pages ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Packaging builds only what it installs (package-deb.sh builds those targets), not every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Vexa developers <vexa@${VEXA_WEB_HOST}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drives home-built CNC machines with an Arduino controller")
# Under the summary; CPack indents every line by one space, as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Vexa turns pictures into machine motion: milling by figures and reliefs, laser raster and
outline engraving, cutting by a prepared picture, wood burning and 3D scanning, on a CNC
machine whose controller is an Arduino board running Vexa's firmware. The user interface is
in Russian. vexa-sim emulates the controller on a pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # vexa_<version>_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${VEXA_WEB_HOST}")
# The shared libraries' packages come from dpkg-shlibdeps; Qt's Russian texts are loaded at run
# time, and the Cyrillic windows need a font on a bare machine.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
