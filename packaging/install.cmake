# Installing (`cmake --install`, any prefix, DESTDIR honoured) and the packages
# made from it: a .deb on Linux (./package.sh), a zip on Windows
# (./build-windows.sh). Included by CMakeLists.txt and cmake/windows.cmake.
set(STONECALL_VERSION 1.10)
set(STONECALL_APP_ID io.github.stonecall.stonecall)
set(STONECALL_CONTACT "Stonecall maintainers <maintainers@users.noreply.c-seed-13cc4d1f.example>")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(GLOB STONECALL_SAMPLES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/spreads/*.SCS)
set(CPACK_PACKAGE_NAME stonecall)
set(CPACK_PACKAGE_VERSION ${STONECALL_VERSION})
set(CPACK_PACKAGE_CONTACT ${STONECALL_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cast runes into a spread and read their meanings")

if(WIN32)
  # Unzipped anywhere, the program works in its own folder: everything side by side.
  install(TARGETS stonecall RUNTIME DESTINATION .)
  install(FILES ${STONECALL_SAMPLES} ${CMAKE_SOURCE_DIR}/res/help/ReadMe.htm DESTINATION .)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/res/images DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME stonecall-${STONECALL_VERSION}-win32)
  include(CPack)
  return()
endif()

# The program, and under share/stonecall/ what it fills the user's folder with
# when it starts (platform/driver/userfolder.h).
include(GNUInstallDirs)
install(TARGETS stonecall RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${STONECALL_SAMPLES} ${CMAKE_SOURCE_DIR}/res/help/ReadMe.htm
        DESTINATION ${CMAKE_INSTALL_DATADIR}/stonecall)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/res/images DESTINATION ${CMAKE_INSTALL_DATADIR}/stonecall)

# The desktop's menu entry, icons and software-centre page.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/stonecall.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${STONECALL_APP_ID}.desktop)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/stonecall.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME ${STONECALL_APP_ID}.metainfo.xml)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/res/icons/stonecall-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME stonecall.png)
endforeach()

# The manual page and the changelog compressed, as Debian keeps them.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/stonecall.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_SOURCE_DIR}/packaging/changelog
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(CODE "
  foreach(file ${CMAKE_INSTALL_MANDIR}/man6/stonecall.6 ${CMAKE_INSTALL_DOCDIR}/changelog)
    execute_process(COMMAND gzip -9nf \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries from the binary, and the fonts its screens are laid out for:
# without them every letter would fall back to another face.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-blankenburg, fonts-dejavu-core")
# CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Stonecall casts fifteen different runes from a set of twenty-five into a
spread of your choice, a named layout of one to fifteen positions, each with
a meaning. Click a rune to read about it, and keep the reading as a web page.
You can make and edit your own spreads. Your spreads, settings and readings
live in the Stonecall folder among your documents.")
include(CPack)
