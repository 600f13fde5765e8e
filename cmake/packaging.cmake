# The program as an installed Linux desktop program: menu entry, icon, file
# types, AppStream data, mkctl's man page, and the Debian package that carries
# them with the programs (`cpack -G DEB`, which `./mk package` runs). The
# programs' own install rules sit beside their targets.
# Sanitized and fuzzing builds are for finding faults, never for shipping.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR MK_SANITIZE OR MK_FUZZ)
  return()
endif()
include(GNUInstallDirs)

set(MK_MAINTAINER "MK configurator maintainers <maintainers@example.org>"
    CACHE STRING "Who answers for the package: name <e-mail>")
set(MK_PROJECT_URL "https://example.org/mkconfig" CACHE STRING "The project's home page")
set(MK_SCREENSHOT_URL "${MK_PROJECT_URL}/raw/main/docs/main-window.png"
    CACHE STRING "Where software centres fetch the main window's screenshot")
set(MK_APPSTREAM_ID "org.example.mkconfig"
    CACHE STRING "The program's AppStream id (a reverse domain name)")

set(pkg ${CMAKE_SOURCE_DIR}/packaging/linux)
set(out ${CMAKE_BINARY_DIR}/packaging)
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})
# Dates in the package follow SOURCE_DATE_EPOCH when it is set, so that the
# same sources give the same package.
string(TIMESTAMP MK_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP MK_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

# The shipped programs resolve every symbol at start, so that their
# relocations can be made read-only (what Debian's hardening asks for).
foreach(program mkconfig mkctl mk-sim)
  if(TARGET ${program})
    target_link_options(${program} PRIVATE LINKER:-z,now)
  endif()
endforeach()

# Desktop integration belongs to the window program.
if(TARGET mkconfig)
  install(FILES ${pkg}/mkconfig.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${pkg}/mkconfig-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME mkconfig.xml)
  configure_file(${pkg}/mkconfig.metainfo.xml ${out}/${MK_APPSTREAM_ID}.metainfo.xml @ONLY)
  install(FILES ${out}/${MK_APPSTREAM_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  set(icons ${CMAKE_SOURCE_DIR}/packaging/icons)
  install(FILES ${icons}/mkconfig.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${icons}/mkconfig-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME mkconfig.png)
  endforeach()
endif()

# Files Debian wants compressed: the man pages and the package's changelog.
# The pages of mkctl and mk-sim are made from their own help, so that they
# never say anything the programs do not.
find_program(GZIP gzip REQUIRED)
function(mk_gzip output input)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${GZIP} -9nc ${input} > ${output}
    DEPENDS ${input} ${ARGN}
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY mk_packaging_outputs ${output})
endfunction()

# The fonts drawn in the MK screen previews carry their own licence.
file(READ ${CMAKE_SOURCE_DIR}/src/preview/FONTS-LICENCE.txt MK_FONTS_LICENCE)
string(REGEX REPLACE "\n+$" "" MK_FONTS_LICENCE "${MK_FONTS_LICENCE}")
string(REGEX REPLACE "\n\n" "\n.\n" MK_FONTS_LICENCE "${MK_FONTS_LICENCE}")
string(REGEX REPLACE "\n\n" "\n.\n" MK_FONTS_LICENCE "${MK_FONTS_LICENCE}")
string(REGEX REPLACE "\n" "\n " MK_FONTS_LICENCE " ${MK_FONTS_LICENCE}")
configure_file(${pkg}/copyright.in ${out}/copyright @ONLY)

# The package's version is the project's, with no Debian revision: a native
# package, whose changelog Debian names changelog.gz.
configure_file(${pkg}/changelog.in ${out}/changelog @ONLY)
mk_gzip(${out}/changelog.gz ${out}/changelog)
install(FILES ${out}/copyright ${out}/changelog.gz DESTINATION ${docdir})

if(TARGET mkconfig)
  configure_file(${pkg}/mkconfig.1.in ${out}/mkconfig.1 @ONLY)
  mk_gzip(${out}/mkconfig.1.gz ${out}/mkconfig.1)
  install(FILES ${out}/mkconfig.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
foreach(program mkctl mk-sim)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(summary)
  if(program STREQUAL "mk-sim")
    set(summary "-DSUMMARY=a virtual MK trip computer on a pseudo-terminal")
  endif()
  add_custom_command(
    OUTPUT ${out}/${program}.1
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DOUT=${out}/${program}.1
            -DDATE=${MK_RELEASE_DATE} -DVERSION=${PROJECT_VERSION} ${summary}
            -P ${CMAKE_SOURCE_DIR}/cmake/help-man.cmake
    DEPENDS ${program} ${CMAKE_SOURCE_DIR}/cmake/help-man.cmake
    VERBATIM)
  mk_gzip(${out}/${program}.1.gz ${out}/${program}.1)
  install(FILES ${out}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
get_property(packaging_outputs GLOBAL PROPERTY mk_packaging_outputs)
add_custom_target(packaging_files ALL DEPENDS ${packaging_outputs})

# The Debian package. Its version is the project's; its dependencies are
# those of the linked libraries (dpkg-shlibdeps) and the toolkit's Russian
# texts, which are loaded at run time rather than linked.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${MK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for the MK vehicle trip computer")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds the MK trip computer on its USB serial port, reads its whole
memory, edits every setting in a tabbed editor, shows the trip, refuelling
and error journals and the oscilloscope trace, saves the settings to a file
and writes them back.
.
The package holds the desktop program mkconfig, mkctl (the same core for
scripts) and mk-sim (a virtual MK for trying everything without a device),
and a udev rule that lets the user at the seat open the MK's port.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MK_PROJECT_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SQLite comes with the shared-library dependencies too; named so the history never goes missing.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libsqlite3-0")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${pkg}/postinst ${pkg}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
