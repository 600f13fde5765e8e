# SPDX-License-Identifier: GPL-3.0-or-later
# The program as an installed Linux desktop program: menu entry, icon, file
# types, AppStream data and the man pages. The Debian package (debian/, built
# by dpkg-buildpackage, which `./mk package` runs) carries them with the
# programs; the programs' own install rules sit beside their targets.
# Sanitized and fuzzing builds are for finding faults, never for shipping.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR MK_SANITIZE OR MK_FUZZ)
  return()
endif()
include(GNUInstallDirs)

# The AppStream id: the desktop entry is named after it, as software centres
# expect, and the program tells desktops the same name.
set(MK_APPSTREAM_ID "io.github.mkconfig.mkconfig"
    CACHE STRING "The program's AppStream id (a reverse domain name)")

set(pkg ${CMAKE_SOURCE_DIR}/packaging/linux)
set(man ${CMAKE_SOURCE_DIR}/packaging/man)
set(out ${CMAKE_BINARY_DIR}/packaging)
# Dates in the pages follow SOURCE_DATE_EPOCH when it is set, so that the
# same sources give the same package.
string(TIMESTAMP MK_RELEASE_DATE "%Y-%m-%d" UTC)

# The releases, newest first, are debian/changelog's entries; the newest must
# be this version, or the package would carry two.
file(STRINGS ${CMAKE_SOURCE_DIR}/debian/changelog changelog ENCODING UTF-8)
set(MK_RELEASES "")
set(version "")
set(notes "")
foreach(line IN LISTS changelog)
  if(line MATCHES "^mkconfig \\(([^)]+)\\)")
    set(version ${CMAKE_MATCH_1})
    if(NOT MK_RELEASES AND NOT version STREQUAL PROJECT_VERSION)
      message(FATAL_ERROR "debian/changelog's newest entry is ${version}, the project is "
                          "${PROJECT_VERSION}: give both the same version")
    endif()
    set(notes "")
  elseif(line MATCHES "^  \\* (.*)$")
    string(APPEND notes "</li>\n          <li>${CMAKE_MATCH_1}")
  elseif(line MATCHES "^    (.*)$")
    string(APPEND notes " ${CMAKE_MATCH_1}")
  elseif(line MATCHES "^ -- .*  [A-Za-z]+, ([0-9]+) ([A-Za-z]+) ([0-9]+) ")
    set(day ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_3})
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    if(month LESS 10)
      set(month 0${month})
    endif()
    string(LENGTH "${day}" digits)
    if(digits EQUAL 1)
      set(day 0${day})
    endif()
    string(REPLACE "&" "&amp;" notes "${notes}")
    string(REGEX REPLACE "^</li>\n" "" notes "${notes}")
    string(APPEND MK_RELEASES "    <release version=\"${version}\" date=\"${year}-${month}-${day}\">\n"
           "      <description>\n        <ul>\n${notes}</li>\n        </ul>\n      </description>\n"
           "    </release>\n")
  endif()
endforeach()
string(STRIP "${MK_RELEASES}" MK_RELEASES)

# The shipped programs resolve every symbol at start, so that their
# relocations can be made read-only (what Debian's hardening asks for).
foreach(program mkconfig mkctl mk-sim)
  if(TARGET ${program})
    target_link_options(${program} PRIVATE LINKER:-z,now)
  endif()
endforeach()

# Desktop integration belongs to the window program.
if(TARGET mkconfig)
  install(FILES ${pkg}/mkconfig.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          RENAME ${MK_APPSTREAM_ID}.desktop)
  target_compile_definitions(mkconfig PRIVATE MK_DESKTOP_ID="${MK_APPSTREAM_ID}")
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

# The man pages, compressed as Debian wants them: a page in the language of
# the program's help is made from that help (so it never says anything the
# program does not), the page in the other language is written by hand.
find_program(GZIP gzip REQUIRED)
function(mk_gzip output input)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${GZIP} -9nc ${input} > ${output}
    DEPENDS ${input} ${ARGN}
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY mk_packaging_outputs ${output})
endfunction()

# mk_man_pages(PROGRAM HELP_LANGUAGE EXTRA SEE_ALSO [SUMMARY]): the page made
# from the help (man1 for English, ru/man1 for Russian) and the hand-written
# one in the other language.
function(mk_man_pages program language extra see_also)
  if(NOT TARGET ${program})
    return()
  endif()
  if(language STREQUAL "ru")
    set(made ru/man1)
    set(written man1)
    set(template ${man}/${program}.1.in)
  else()
    set(made man1)
    set(written ru/man1)
    set(template ${man}/${program}.ru.1.in)
  endif()
  set(summary)
  if(ARGN)
    set(summary "-DSUMMARY=${ARGN}")
  endif()
  file(MAKE_DIRECTORY ${out}/${made} ${out}/${written})
  add_custom_command(
    OUTPUT ${out}/${made}/${program}.1
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DOUT=${out}/${made}/${program}.1
            -DDATE=${MK_RELEASE_DATE} -DVERSION=${PROJECT_VERSION} -DEXTRA=${extra}
            -DSEE_ALSO=${see_also} ${summary} -P ${CMAKE_SOURCE_DIR}/cmake/help-man.cmake
    DEPENDS ${program} ${extra} ${CMAKE_SOURCE_DIR}/cmake/help-man.cmake
    VERBATIM)
  configure_file(${template} ${out}/${written}/${program}.1 @ONLY)
  foreach(folder ${made} ${written})
    mk_gzip(${out}/${folder}/${program}.1.gz ${out}/${folder}/${program}.1)
    install(FILES ${out}/${folder}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${folder})
  endforeach()
endfunction()

mk_man_pages(mkconfig ru ${man}/files-ru.roff mkctl,mk-sim)
mk_man_pages(mkctl ru ${man}/files-ru.roff mkconfig,mk-sim)
mk_man_pages(mk-sim en ${man}/mk-sim.en.roff mkconfig,mkctl
             "a virtual MK trip computer on a pseudo-terminal")
get_property(packaging_outputs GLOBAL PROPERTY mk_packaging_outputs)
add_custom_target(packaging_files ALL DEPENDS ${packaging_outputs})
