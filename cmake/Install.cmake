# Installation layout and the Debian package.
#
# One application id names the desktop entry, the AppStream component and the icon, so that
# launchers, software centres and the running window all find each other.
set(ARCANDEL_APP_ID "org.arcandel.Arcandel")

install(TARGETS arcandel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The catalog looks for <bindir>/../<datadir>/arcandel/Resources.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/Resources
        DESTINATION ${CMAKE_INSTALL_DATADIR}/arcandel)
install(FILES ${PROJECT_SOURCE_DIR}/data/${ARCANDEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${ARCANDEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "arcandel")
set(CPACK_PACKAGE_VENDOR "Arcandel")
set(CPACK_PACKAGE_CONTACT "Arcandel <hola@arcandel.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://arcandel.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "reflective tarot readings with the Marseille major arcana")
set(CPACK_PACKAGE_DESCRIPTION
    "Arcandel is a calm, offline journal for personal tarot readings with the 22 major\n\
arcana of the historical Marseille deck. Write an optional question, choose a topic\n\
and a spread, shuffle, cut and turn the cards one by one; every card brings an\n\
interpretation, the whole reading a synthesis and a notebook. Saved readings can be\n\
searched, marked as favourites, reopened and exported as text; the whole journal\n\
goes out as Markdown files and comes back, and a reading prints as a PDF page.\n\
.\n\
The interface is in Spanish.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps sees the linked libraries only. The X11 platform plugin ships with
# libqt6gui6 (a linked library); what is loaded at run time is named here: the SVG icon and
# image plugins, Qt's own Spanish texts (context menus, the file dialog), and a font for the
# interface and the serif texts. The YAML library of the Markdown journal and Qt's printing
# module are linked, and named as well so the package says what it needs even where
# dpkg-shlibdeps is not run.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6svg6, qt6-translations-l10n, fonts-dejavu-core, libyaml-cpp0.7, libqt6printsupport6")
# Native Wayland windows, the preferred serif face, the icon theme the launcher icon joins,
# and the short sound played when a card is turned.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-wayland, fonts-noto-core, hicolor-icon-theme, sound-theme-freedesktop")
include(CPack)
