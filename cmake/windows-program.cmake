# SPDX-License-Identifier: GPL-3.0-or-later
# What makes a program of this project a Windows program: the icon and the
# version resource that Explorer shows, the window subsystem for the desktop
# program, and the toolkit's Russian texts built into it (a Windows machine
# has no translations folder to load them from).
set(MK_QT_TRANSLATIONS_DIR /usr/share/qt6/translations
    CACHE PATH "Where qtbase_ru.qm is taken from (Debian: qt6-translations-l10n)")

# mk_windows_resources(TARGET DESCRIPTION): icon and version information.
function(mk_windows_resources target description)
  set(MK_RC_NAME ${target})
  set(MK_RC_DESCRIPTION "${description}")
  set(MK_RC_ICON ${CMAKE_SOURCE_DIR}/packaging/icons/mkconfig.ico)
  set(MK_RC_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
  set(MK_RC_VERSION_MINOR ${PROJECT_VERSION_MINOR})
  set(MK_RC_VERSION_PATCH 0)
  if(PROJECT_VERSION_PATCH)
    set(MK_RC_VERSION_PATCH ${PROJECT_VERSION_PATCH})
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# mk_windows_program(TARGET): the desktop program.
function(mk_windows_program target)
  mk_windows_resources(${target} "Просмотр и настройка параметров МК")
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  set(qm ${MK_QT_TRANSLATIONS_DIR}/qtbase_ru.qm)
  if(NOT EXISTS ${qm})
    message(FATAL_ERROR "${qm} is missing: install qt6-translations-l10n")
  endif()
  qt_add_resources(${target} mk_qt_translations PREFIX /translations BASE
                   ${MK_QT_TRANSLATIONS_DIR} FILES ${qm})
endfunction()
