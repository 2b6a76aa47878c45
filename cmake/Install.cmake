# Installation layout and the Debian package.
set(ARCANDEL_APP_ID "org.arcandel.Arcandel")

install(TARGETS arcandel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/Resources
        DESTINATION ${CMAKE_INSTALL_DATADIR}/arcandel)
install(FILES ${PROJECT_SOURCE_DIR}/data/${ARCANDEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${ARCANDEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        OPTIONAL)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "arcandel")
set(CPACK_PACKAGE_VENDOR "Arcandel")
set(CPACK_PACKAGE_CONTACT "Arcandel <arcandel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Reflective tarot readings with the Marseille major arcana")
set(CPACK_PACKAGE_DESCRIPTION
    "Arcandel is a calm, offline journal for personal tarot readings with the 22 major\n arcana of the historical Marseille deck, in Spanish.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins and the SVG image support at run time, so dpkg-shlibdeps
# cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "sound-theme-freedesktop")
include(CPack)
