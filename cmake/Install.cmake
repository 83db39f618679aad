# What `cmake --install` puts where, and the Debian package that CPack makes of it.
include(GNUInstallDirs)

install(TARGETS korvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KORVEL_TOOLS)
  install(TARGETS korvel-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # korvel-tool render runs it from here.
  install(TARGETS korvel-render RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/korvel)
endif()

# The guide, where Help > Contents and Index finds it beside the installed program.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/korvel)

install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/korvel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/korvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/korvel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME korvel.png)
endforeach()

# The sample collection, which a first start offers to copy.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sample/ DESTINATION ${CMAKE_INSTALL_DATADIR}/korvel/sample)

set(CPACK_PACKAGE_NAME korvel)
set(CPACK_PACKAGE_VENDOR "Korvel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Catalogue for collectors of antique radios")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Korvel keeps one record per radio (cabinet, dial, tubes, acquisition, restoration, value, sale, "
       "pictures), lookup tables, a spare-tube inventory, selections and macros. It draws a radio's "
       "description with its picture, graphs and a picture tour, prints, writes a list file and publishes "
       "a selection as a web site.")
set(CPACK_PACKAGE_CONTACT "Korvel developers <korvel@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6, libqt6gui6, libqt6core6, libqt6printsupport6, qt6-qpa-plugins, libjpeg62-turbo, fonts-liberation, fonts-dejavu-core")
include(CPack)
