# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling the programs for Windows: the compilers of mingw-w64-qt.cmake,
# linked statically.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-qt.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# GCC 12 reports false -Wrestrict and -Wstringop-overflow inside std::string and
# std::vector when it inlines at -O3 (GCC bug 105329); -O2 is plenty for a port tool.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
set(CMAKE_CXX_FLAGS_RELEASE_INIT "-O2 -DNDEBUG")
