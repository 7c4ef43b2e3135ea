# Installing Arvex like any Linux desktop program (GNUInstallDirs), and the
# Debian package built from the same install rules (cpack -G DEB).
#   bin/arvex, bin/arvex-updater
#   libexec/arvex/arvex-demo-emu          the demo collection's stand-in emulator
#   share/applications/<id>.desktop       menu entry
#   share/metainfo/<id>.metainfo.xml      AppStream data
#   share/icons/hicolor/{scalable,48x48,128x128,256x256}/apps/<id>.{svg,png}
#   share/man/man1/arvex.1.gz
#   share/arvex/demo/                     the demo collection; its
#                                         Emulators/arvex-demo-emu links to libexec
#   share/doc/arvex/{copyright,changelog.gz}
# The PNG icons were made from the SVG with rsvg-convert and are committed.
include(GNUInstallDirs)
# Installing (and cpack) takes the programs as built: it does not build every
# test and benchmark first. Build arvex, arvex-updater, arvex-demo-emu and
# arvex_packaging_files (or everything) before installing.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(_pkg ${CMAKE_CURRENT_LIST_DIR})
set(_id ${ARVEX_APP_ID})

if(NOT TARGET arvex)
  return()
endif()
install(TARGETS arvex arvex-updater RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS arvex-demo-emu RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/arvex)

install(FILES ${_pkg}/${_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_pkg}/${_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_pkg}/icons/${_id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(_size 48 128 256)
  install(FILES ${_pkg}/icons/${_id}-${_size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps RENAME ${_id}.png)
endforeach()

# Manual page and changelog compressed the Debian way (no name, no time stamp).
set(_gz ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${_gz}/arvex.1.gz ${_gz}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_gz}
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\" && gzip -9n -c \"$3\" > \"$4\""
            sh ${_pkg}/arvex.1 ${_gz}/arvex.1.gz ${_pkg}/changelog ${_gz}/changelog.gz
    DEPENDS ${_pkg}/arvex.1 ${_pkg}/changelog VERBATIM)
add_custom_target(arvex_packaging_files ALL DEPENDS ${_gz}/arvex.1.gz ${_gz}/changelog.gz)
install(FILES ${_gz}/arvex.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_pkg}/copyright ${_gz}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/arvex)

# The demo collection, without what running it writes into the profiles.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/arvex/demo
    PATTERN "arvex-demo-emu" EXCLUDE
    PATTERN "*_tmp.sh" EXCLUDE PATTERN "*_tmp.bat" EXCLUDE PATTERN "*_tmp.err" EXCLUDE
    PATTERN "*.uaecfg" EXCLUDE PATTERN "MountDeamon.sh" EXCLUDE)
# Its profiles start ./Emulators/arvex-demo-emu: a relative link to the
# installed program, which "cp -rL" turns into a copy.
file(RELATIVE_PATH _demoEmuLink
    /p/${CMAKE_INSTALL_DATADIR}/arvex/demo/Emulators /p/${CMAKE_INSTALL_LIBEXECDIR}/arvex/arvex-demo-emu)
install(CODE "
  set(_link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/arvex/demo/Emulators/arvex-demo-emu\")
  file(REMOVE \"\${_link}\")
  file(CREATE_LINK \"${_demoEmuLink}\" \"\${_link}\" SYMBOLIC)
  message(STATUS \"Installing: \${_link}\")
")

# The Debian package: its Depends come from the programs' shared libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME arvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Arvex developers")
set(CPACK_PACKAGE_CONTACT "The Arvex developers <arvex@arvex.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "launcher for console and home-computer emulators")
# The extended description (cpack puts the summary line before it).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Arvex shows the games of any number of emulators as a complete list, a list
without duplicate variants, favourites and search results, with a preview
picture, and starts the selected game in its emulator. It can be driven
with the keyboard, the mouse, or a joystick or gamepad, and has a German and
an English interface.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://arvex.example.org/")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "dosbox, stella, mednafen, mame, hatari, fs-uae, mgba-qt, fceux, nestopia")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
