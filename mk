#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One entry point for building, testing, running and measuring the MK
# configurator. Every command installs what it needs on a fresh Debian machine.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
JOBS=$(nproc)
# The compiler cache is shared by every checkout: paths inside the tree hash
# the same wherever the tree lies.
export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=true

PACKAGES=(cmake ninja-build g++ clang clang-format clang-tidy libclang-rt-14-dev libfuzzer-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev qt6-base-dev qt6-translations-l10n libgl-dev
  g++-mingw-w64-x86-64-posix xvfb xauth fonts-dejavu-core python3
  dpkg-dev debhelper lintian desktop-file-utils appstream ccache)

# The package lists are asked once per list: a stamp in the build folder
# remembers the list that was found whole, so the edit-test loop skips it.
DEPS_STAMP=build/.packages-installed

deps() {
  local want
  want=$(printf '%s\n' "${PACKAGES[@]}")
  [ -f "$DEPS_STAMP" ] && [ "$(cat "$DEPS_STAMP")" = "$want" ] && return 0
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  mkdir -p build
  echo "$want" >"$DEPS_STAMP"
}

configure() {  # configure DIR [cmake options...]
  local dir=$1
  shift
  # Always pass the options, so a folder configured by hand gets them too.
  local generator=()
  [ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
  # A compiler cache, when the machine has one, makes rebuilds of other checkouts cheap.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$dir" "${generator[@]}" "${launcher[@]}" "$@" >/dev/null
}

# The flags Debian's package build compiles with (debian/rules' hardening,
# the preprocessor's flags after the compiler's, as debhelper passes them).
package_cxxflags() {
  local flags
  flags="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)"
  echo "$flags $(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS)"
}

# Builds targets of build/ as the package's build compiles: debhelper sets
# LC_ALL=C.UTF-8, and the compiler cache keys the locale.
build_normal() {
  LC_ALL=C.UTF-8 cmake --build build -j "$JOBS" "$@"
}

# The package target packs what is built, so ./mk test need not build the
# test programs that only the sanitizers' build runs. The programs compile as
# the package's build compiles them (its flags, no build type of CMake's own,
# warnings as errors in both), so the package's build finds every object it
# shares with this one in the compiler cache.
configure_build() {
  configure build -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="$(package_cxxflags)" \
    -DMK_WERROR=ON -DMK_BENCH=ON -DMK_GUI=ON -DMK_TESTS=ON -DCMAKE_SKIP_PACKAGE_ALL_DEPENDENCY=ON
}

# A folder configured with these options is configured again only by the
# build itself, when a CMake file changed.
configured_build() {
  [ -f build/build.ninja ] && grep -q '^CMAKE_SKIP_PACKAGE_ALL_DEPENDENCY:.*=ON$' \
    build/CMakeCache.txt && grep -q '^MK_TESTS:BOOL=ON$' build/CMakeCache.txt &&
    grep -q '^CMAKE_BUILD_TYPE:STRING=None$' build/CMakeCache.txt &&
    grep -q '^MK_GUI:BOOL=ON$' build/CMakeCache.txt
}

build() {
  deps
  configure_build
  build_normal
}

# The files that changed against HEAD (or, with nothing changed, in the last
# commit), one a line.
touched_files() {
  local files
  files=$( (git diff --name-only HEAD; git ls-files --others --exclude-standard) 2>/dev/null)
  [ -n "$files" ] || files=$(git diff --name-only HEAD~1 HEAD 2>/dev/null || true)
  printf '%s\n' "$files"
}

# The window test programs (tests_widgets, tests_app, tests_editor,
# tests_viewers) that cover the touched files.
touched_window_tests() {
  local all="tests_widgets tests_app tests_editor tests_viewers"
  touched_files | awk -v all="$all" '
    # The shared floor and the test helpers reach every window folder.
    /^(src\/widgets|tests\/support)\// { print all; next }
    match($0, /^(src|tests)\/(widgets|app|editor|viewers)\//) {
      split($0, part, "/"); print "tests_" part[2]
    }' | tr ' ' '\n' | sort -u
}

# The edit-test loop: the unit tests, and the window tests (offscreen) of the
# window folders a change touched; the package manager and CMake only when
# something needs them.
cmd_check() {
  deps
  configured_build || configure_build
  local windows=() w
  for w in $(touched_window_tests); do windows+=("$w"); done
  build_normal --target unit_tests "${windows[@]}"
  echo "== unit tests"
  # One process a program, not one a test: a tenth of the time, and the unit
  # tests share no state that would need more.
  run_programs $(sed -n 's/^ *mk_tests(\([a-z]*\) unit .*/tests_\1/p' tests/CMakeLists.txt)
  local names
  for w in "${windows[@]}"; do
    echo "== $w"
    names=$(suites_of "$w")
    (cd build && QT_QPA_PLATFORM=offscreen ctest -L '^gui$' -R "$names" --output-on-failure \
      -j "$JOBS" --timeout 300)
  done
  tidy_touched
}

# clang-tidy on the touched sources only: a few seconds each, where the whole
# tree after a header change would take minutes (./mk test checks it all).
tidy_touched() {
  local sources=() f
  while IFS= read -r f; do
    if [[ $f == src/*.cpp && -e $f ]]; then sources+=("$f"); fi
  done < <(touched_files)
  ((${#sources[@]})) || return 0
  echo "== clang-tidy on the touched sources"
  scripts/tidy build "${sources[@]}"
}

# Runs test programs, $JOBS at once, each in one process; prints each one's
# summary, or all it said when it failed.
run_programs() {  # run_programs PROGRAM...
  local logs status=0 p
  logs=$(mktemp -d)
  printf '%s\n' "$@" | xargs -P "$JOBS" -I{} sh -c \
    'timeout 300 build/bin/{} --gtest_brief=1 >"$0/{}.log" 2>&1 || touch "$0/{}.failed"' "$logs"
  for p in "$@"; do
    if [ -e "$logs/$p.failed" ]; then
      cat "$logs/$p.log"
      echo "$p FAILED"
      status=1
    else
      echo "$p: $(tail -n 1 "$logs/$p.log")"
    fi
  done
  rm -rf "$logs"
  return $status
}

# The CTest names of one test program's tests, as a regular expression of its suites.
suites_of() {  # suites_of PROGRAM
  QT_QPA_PLATFORM=offscreen "build/bin/$1" --gtest_list_tests |
    awk '/^[A-Za-z_][A-Za-z0-9_\/]*[.]/ { sub(/[.].*$/, ""); s = s (s == "" ? "" : "|") $0 }
      END { print "^(" s ")[.]" }'
}

# The sanitizers' build makes what runs under them: the unit and window
# tests and the fuzz targets (the programs the window tests start come along).
build_sanitized() {
  # Line tables are all the sanitizers' reports need (function, file and
  # line of each frame); full debug information costs a fifth more compiling.
  configure build-san -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only \
    -DCMAKE_CXX_COMPILER=clang++ -DMK_WERROR=ON -DMK_SANITIZE=ON -DMK_FUZZ=ON
  cmake --build build-san -j "$JOBS" --target unit_tests gui_tests fuzz_targets
}

# The normal build for ./mk test: the programs, the integration tests, what
# the package holds, and the benchmarks, built so that they keep building.
build_for_tests() {
  configure_build
  build_normal --target mkconfig mkctl mk-sim packaging_files \
    integration_tests benchmarks
}

run_tests() {  # run_tests DIR LABEL-REGEX
  (cd "$1" && QT_QPA_PLATFORM=offscreen ctest -L "$2" --output-on-failure -j "$JOBS" \
    --timeout 300)
}

# Each stage of ./mk test with its minutes, printed when it ends, passed or not.
STAGES=()
STAGE=""
STAGE_START=0
stage() {  # stage NAME COMMAND...
  STAGE=$1
  STAGE_START=$SECONDS
  shift
  "$@"
  STAGES+=("$(stage_line $((SECONDS - STAGE_START)) "$STAGE")")
  STAGE=""
}
stage_line() {  # stage_line SECONDS NAME
  awk -v s="$1" -v n="$2" 'BEGIN { printf "%6.1f min  %s", s / 60, n }'
}
print_stages() {
  [ -n "$STAGE" ] && STAGES+=("$(stage_line $((SECONDS - STAGE_START)) "$STAGE (failed)")")
  echo "== minutes per stage"
  ((${#STAGES[@]})) && printf '%s\n' "${STAGES[@]}"
  stage_line "$SECONDS" "in all"
  echo
}

# --- The Debian package, built as Debian builds it (debian/rules on the
# project's CMake build and install rules), and what a release needs ---

# deb_build SOURCE: dpkg-buildpackage in the folder SOURCE, through the shared
# compiler cache, dated by the last commit; the .deb files and the .changes
# land beside SOURCE. Its output goes to SOURCE.log.
deb_build() {
  local src=$1 epoch cache
  epoch=$(git -C "$ROOT" log -1 --format=%ct)
  # debhelper gives the build a HOME of its own, so the cache is named here,
  # or every package build would start from an empty one.
  cache=$(ccache -k cache_dir)
  if ! (cd "$src" && SOURCE_DATE_EPOCH=$epoch DEB_BUILD_OPTIONS="ccache werror parallel=$JOBS" \
    CCACHE_DIR=$cache dpkg-buildpackage -us -uc -b) >"$src.log" 2>&1; then
    tail -n 40 "$src.log" >&2
    echo "dpkg-buildpackage failed in $src (see $src.log)" >&2
    return 1
  fi
}

# build/package/: the packages of the sources as they are now (what git
# tracks, with its edits, and new files it does not ignore), copied to
# build/deb/mkconfig-VERSION so that no build folder goes in. Prints the path
# of the programs' package.
make_package() {
  local version src
  version=$(windows_version)
  src=build/deb/mkconfig-$version
  rm -rf build/deb build/package
  mkdir -p "$src" build/package
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    xargs -0 cp -P --parents -t "$src"
  deb_build "$src"
  mv build/deb/*.deb build/deb/*.changes build/deb/*.buildinfo build/package/
  rm -rf build/deb
  ls build/package/mkconfig_*.deb
}

# What a user installs, checked as the user gets it and as a release needs
# it: the package of a clean clone of the last
# commit the same, byte for byte, as ./mk package's; lintian pedantic clean;
# Debian's hardening in the programs; the files where they belong, the
# desktop entry and AppStream data valid, the man pages complete; the three
# programs telling the one version and their help without a display.
package_checks() (
  echo "== release: clean-clone package, reproducible bytes"
  local version clone root deb
  version=$(windows_version)
  clone=$(mktemp -d)
  root=$(mktemp -d)
  trap 'rm -rf "$clone" "$root"' EXIT
  # The clone builds where ./mk package builds: the same paths, so the second
  # build is the compiler cache's, and any difference is the package's own.
  rm -rf build/deb
  mkdir -p build/deb
  git clone -q "$ROOT" "build/deb/mkconfig-$version"
  deb_build "build/deb/mkconfig-$version"
  mv build/deb/*.deb build/deb/*.changes "$clone/"
  deb=$(make_package)
  (cd "$clone" && sha256sum ./*.deb) >"$root/clone.sha256"
  (cd build/package && sha256sum -c --quiet "$root/clone.sha256") || {
    echo "the clean clone's package differs from ./mk package's" >&2
    return 1
  }
  lintian --pedantic --fail-on error,warning,pedantic build/package/*.changes

  dpkg -x "$deb" "$root"
  local expected=(usr/bin/mkconfig usr/bin/mkctl usr/bin/mk-sim
    usr/lib/udev/rules.d/60-mk.rules usr/lib/udev/mk-udev-name
    usr/share/mime/packages/mkconfig.xml usr/share/icons/hicolor/scalable/apps/mkconfig.svg
    usr/share/icons/hicolor/48x48/apps/mkconfig.png
    usr/share/doc/mkconfig/copyright usr/share/doc/mkconfig/changelog.gz)
  for program in mkconfig mkctl mk-sim; do
    expected+=("usr/share/man/man1/$program.1.gz" "usr/share/man/ru/man1/$program.1.gz")
  done
  for f in "${expected[@]}"; do
    [ -e "$root/$f" ] || { echo "the package lacks /$f" >&2; return 1; }
  done
  grep -q '^License: GPL-3.0-or-later$' "$root/usr/share/doc/mkconfig/copyright"
  local desktop
  desktop=$(ls "$root"/usr/share/applications/*.desktop)
  desktop-file-validate "$desktop"
  appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null
  [ -e "$root/usr/share/metainfo/$(basename "$desktop" .desktop).metainfo.xml" ] || {
    echo "the AppStream id is not the desktop entry's name" >&2
    return 1
  }
  for page in "$root"/usr/share/man/{,ru/}man1/*.1.gz; do
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS '"EXIT STATUS"' FILES ENVIRONMENT \
      '"SEE ALSO"'; do
      [ "$(zgrep -c "^\.SH $section\$" "$page")" = 1 ] || {
        echo "$page: no one section $section" >&2
        return 1
      }
    done
  done
  hardening_checks "$root/usr/bin/mkconfig" "$root/usr/bin/mkctl" "$root/usr/bin/mk-sim"

  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || {
    echo "the package's version is not the project's $version" >&2
    return 1
  }
  for program in mkconfig mkctl mk-sim; do
    local said
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --version)
    [ "$said" = "$program $version" ] || {
      echo "the installed $program says \"$said\", not version $version" >&2
      return 1
    }
    # The help is taken whole first: a grep -q that stops early would leave
    # the program a broken pipe, and pipefail would call that a failure.
    local help
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --help) &&
      grep -q -- --version <<<"$help" || { echo "$program --help fails without a display" >&2; return 1; }
  done
  echo "$deb: reproducible, lintian pedantic clean, hardened, files, pages and version all right"
)

# hardening_checks PROGRAM...: what Debian's hardening flags leave in a
# program: position-independent, read-only relocations resolved at start,
# the stack protector and the fortified functions. grep reads all of readelf's
# output: a grep -q that stops early fails the pipe under pipefail.
hardening_checks() {
  local program
  for program in "$@"; do
    readelf -hW "$program" | grep 'Type: *DYN' >/dev/null || { echo "$program: not PIE" >&2; return 1; }
    readelf -lW "$program" | grep GNU_RELRO >/dev/null || { echo "$program: no RELRO" >&2; return 1; }
    readelf -dW "$program" | grep 'BIND_NOW\|FLAGS.*NOW' >/dev/null ||
      { echo "$program: relocations not resolved at start" >&2; return 1; }
    readelf -sW --dyn-syms "$program" | grep __stack_chk_fail >/dev/null ||
      { echo "$program: no stack protector" >&2; return 1; }
    readelf -sW --dyn-syms "$program" | grep '__[a-z]*_chk@' >/dev/null ||
      { echo "$program: no fortified functions" >&2; return 1; }
  done
}

# Every test program runs once: the unit and window tests under the
# sanitizers, the integration tests (programs, pseudo-terminals) in the normal
# build, which also makes the package and the Linux programs Wine is compared with.
# The sources as clang-format lays them out, and each with its licence line.
style_checks() {
  echo "== style: clang-format, licence lines"
  git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
  scripts/spdx --check
}

# On a machine without them the MinGW toolkits take half an hour of one
# core. They start at once at the lowest priority, so they take what the
# Linux stages leave of the cores (tests, lintian, waits for the virtual MK)
# and the Windows stage waits only for the rest (the builds' locks make it
# wait). The toolkits' log: build/windows-toolkits.log.
# Built ones are found at once.
TOOLKITS_PID=""
start_windows_toolkits() {
  mkdir -p build
  set -m  # a process group of its own, stopped whole if the test ends first
  {
    renice -n 19 -p "$BASHPID" >/dev/null
    windows_qt && windows_sqlite
  } </dev/null >build/windows-toolkits.log 2>&1 &
  TOOLKITS_PID=$!
  set +m
}
stop_windows_toolkits() {
  [ -n "$TOOLKITS_PID" ] || return 0
  kill -- "-$TOOLKITS_PID" 2>/dev/null || true
  resume_windows_toolkits  # a paused build takes the signal once it runs
}
# The integration tests time the virtual MK's answers to the millisecond:
# the toolkits' builds sleep meanwhile.
pause_windows_toolkits() {
  [ -n "$TOOLKITS_PID" ] && kill -STOP -- "-$TOOLKITS_PID" 2>/dev/null || true
}
resume_windows_toolkits() {
  [ -n "$TOOLKITS_PID" ] && kill -CONT -- "-$TOOLKITS_PID" 2>/dev/null || true
}

cmd_test() {
  trap 'stop_windows_toolkits; stop_fuzzing; print_stages' EXIT
  stage "packages" deps
  # The Windows packages too: the toolkits' builds must not meet apt later.
  stage "Windows: packages" windows_deps
  start_windows_toolkits
  stage "style" style_checks
  stage "normal build" build_for_tests
  # After the normal build: its compile commands and dependency records say
  # what each file needs, so the files unchanged since an earlier run are
  # taken from the cache.
  echo "== clang-tidy"
  stage "clang-tidy" scripts/tidy build
  echo "== integration tests"
  pause_windows_toolkits
  stage "integration tests" run_tests build '^integration$'
  resume_windows_toolkits
  stage "Debian package" package_checks
  stage "sanitizers' build" build_sanitized
  echo "== unit and window tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    stage "unit and window tests, sanitized" run_tests build-san '^(unit|gui)$'
  windows_all with_fuzzing
  echo "== all passed"
}

cmd_run() {
  build
  exec "$ROOT/scripts/run-demo" "$ROOT/build/bin" "$@"
}

cmd_bench() {
  build
  "$ROOT/bench/run" "$ROOT/build/bin" "$@"
}

cmd_fuzz() {  # ./mk fuzz [seconds per target]
  deps
  build_sanitized
  "$ROOT/fuzz/run" build-san "${1:-600}"
}

# --- Windows: the programs, their installer and archive, tested under Wine ---
WIN_PACKAGES=(wine wine64 nsis zip unzip xdotool openbox imagemagick fonts-liberation)

windows_deps() {
  local missing=()
  for p in "${WIN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
}

windows_version() {
  sed -n 's/^project(mkconfig VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt"
}

# The static Qt for MinGW: built once into ~/.cache/mkconfig (about a quarter
# of an hour on 2 cores), reused afterwards.
windows_qt() {
  local cache=${XDG_CACHE_HOME:-$HOME/.cache}/mkconfig
  mkdir -p "$cache"
  # Two checkouts building it at once would clear each other's work folder.
  flock "$cache/qt-build.lock" "$ROOT/scripts/build-qt-mingw" | tail -n 1
}

# SQLite for MinGW, from Debian's sqlite3 source (a minute), cached beside Qt.
windows_sqlite() {
  local cache=${XDG_CACHE_HOME:-$HOME/.cache}/mkconfig
  mkdir -p "$cache"
  flock "$cache/sqlite-build.lock" "$ROOT/scripts/build-sqlite-mingw" | tail -n 1
}

build_windows() {
  local qt sqlite
  qt=$(windows_qt)
  sqlite=$(windows_sqlite)
  configure build-win -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DMK_WERROR=ON -DMK_TESTS=OFF -DMK_GUI=ON \
    -DSQLite3_INCLUDE_DIR="$sqlite/include" -DSQLite3_LIBRARY="$sqlite/lib/libsqlite3.a" \
    -DCMAKE_PREFIX_PATH="$qt" -DQt6_DIR="$qt/lib/cmake/Qt6" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  cmake --build build-win -j "$JOBS" --target mkctl mkconfig
}

# build-win/mkconfig-setup-VERSION.exe and build-win/mkconfig-VERSION-windows.zip
package_windows() {
  local version stage
  version=$(windows_version)
  stage=build-win/package/mkconfig-$version
  rm -rf build-win/package
  mkdir -p "$stage"
  for exe in mkconfig mkctl; do
    x86_64-w64-mingw32-strip -o "$stage/$exe.exe" "build-win/bin/$exe.exe"
  done
  makensis -V2 -DVERSION="$version" -DBIN="$ROOT/$stage" \
    -DOUT="$ROOT/build-win/mkconfig-setup-$version.exe" packaging/windows/mkconfig.nsi
  rm -f "build-win/mkconfig-$version-windows.zip"
  (cd build-win/package && zip -q -r "../mkconfig-$version-windows.zip" "mkconfig-$version")
}

test_windows() {
  local version stage
  version=$(windows_version)
  stage=$ROOT/build-win/package/mkconfig-$version
  echo "== mkctl.exe under Wine"
  tests/windows/mkctl-under-wine "$ROOT/build/bin" "$stage"
  echo "== the archive"
  diff <(unzip -Z1 "build-win/mkconfig-$version-windows.zip" | sort) \
    <(printf 'mkconfig-%s/\nmkconfig-%s/mkconfig.exe\nmkconfig-%s/mkctl.exe\n' \
      "$version" "$version" "$version")
  echo "== the installer under Wine"
  tests/windows/installer-under-wine "$ROOT/build-win/mkconfig-setup-$version.exe" "$stage"
  echo "== mkconfig.exe under Wine"
  tests/windows/gui-under-wine "$ROOT/build/bin" "$stage"
}

# After ./mk build: the Windows programs built, packed and tested. With
# with_fuzzing (./mk test) the short fuzzing runs go on beside the tests under
# Wine, which mostly wait for Wine's windows and the virtual MK: each target
# keeps its 20 s, at the lowest priority, so Wine's programs are never slowed.
windows_all() {  # windows_all [with_fuzzing]
  echo "== Windows: Qt for MinGW, mkconfig.exe and mkctl.exe"
  stage "Windows: Qt for MinGW" windows_qt >/dev/null
  stage "Windows: mkconfig.exe and mkctl.exe" build_windows
  echo "== Windows: installer and archive"
  stage "Windows: installer and archive" package_windows
  [ "${1:-}" = with_fuzzing ] && start_fuzzing
  stage "Windows: tests under Wine" test_windows
  [ "${1:-}" = with_fuzzing ] && end_fuzzing
  echo "== Windows: build-win/mkconfig-setup-$(windows_version).exe," \
    "build-win/mkconfig-$(windows_version)-windows.zip"
}

# The fuzzing runs in the background: their output in build-san/fuzz.log,
# their own minutes a stage of their own once they end.
FUZZ_PID=""
start_fuzzing() {
  set -m
  {
    renice -n 19 -p "$BASHPID" >/dev/null
    local start=$SECONDS status=0
    "$ROOT/fuzz/run" build-san 20 || status=$?
    echo $((SECONDS - start)) >build-san/fuzz.seconds
    exit $status
  } </dev/null >build-san/fuzz.log 2>&1 &
  FUZZ_PID=$!
  set +m
}
end_fuzzing() {
  local status=0
  echo "== short fuzzing runs, 20 s a target (beside the tests under Wine)"
  STAGE="fuzzing, 20 s a target"
  STAGE_START=$SECONDS
  wait "$FUZZ_PID" || status=$?
  FUZZ_PID=""
  cat build-san/fuzz.log
  ((status == 0)) || return $status
  STAGES+=("$(stage_line "$(cat build-san/fuzz.seconds)" "$STAGE")")
  STAGE=""
}
stop_fuzzing() {
  [ -n "$FUZZ_PID" ] && kill -- "-$FUZZ_PID" 2>/dev/null || true
}

cmd_windows() {
  trap print_stages EXIT
  deps
  # The Linux mk-sim and mkctl: the virtual MK and the results to compare with.
  configure_build
  build_normal --target mk-sim mkctl
  stage "Windows: packages" windows_deps
  windows_all
}

case "${1:-}" in
  build) build ;;
  check) cmd_check ;;
  test) cmd_test ;;
  run) shift; cmd_run "$@" ;;
  bench) shift; cmd_bench "$@" ;;
  fuzz) shift; cmd_fuzz "$@" ;;
  format) deps; configure build; cmake --build build --target format ;;
  windows) cmd_windows ;;
  package) deps; make_package ;;
  *)
    echo "usage: ./mk build|check|test|run|bench|fuzz [seconds]|format|windows|package" >&2
    exit 2
    ;;
esac
