#!/usr/bin/env bash
# One entry point for building, testing, running and measuring the MK
# configurator. Every command installs what it needs on a fresh Debian machine.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
JOBS=$(nproc)
# The compiler cache is shared by every checkout: paths inside the tree hash
# the same wherever the tree lies.
export CCACHE_BASEDIR=$ROOT CCACHE_NOHASHDIR=true

PACKAGES=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev libfuzzer-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev qt6-base-dev qt6-translations-l10n libgl-dev
  g++-mingw-w64-x86-64-posix xvfb xauth fonts-dejavu-core python3
  dpkg-dev lintian desktop-file-utils appstream ccache)

deps() {
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

configure_build() {
  configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMK_WERROR=ON -DMK_BENCH=ON -DMK_GUI=ON \
    -DMK_TESTS=ON
}

build() {
  deps
  configure_build
  cmake --build build -j "$JOBS"
}

# The edit-test loop: the normal build of what the unit tests need, then the
# unit tests alone (no programs started, no windows, no package).
cmd_check() {
  deps
  configure_build
  cmake --build build -j "$JOBS" --target unit_tests
  (cd build && ctest -L '^unit$' --output-on-failure -j "$JOBS" --timeout 120)
}

build_sanitized() {
  configure build-san -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DMK_WERROR=ON \
    -DMK_SANITIZE=ON -DMK_FUZZ=ON
  cmake --build build-san -j "$JOBS"
}

run_tests() {  # run_tests DIR
  (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" --timeout 300)
}

# The Debian package from the build tree; prints its path.
make_package() {
  rm -f build/package/*.deb
  cmake --build build --target package >/dev/null
  ls build/package/*.deb
}

# What a user installs, checked as the user gets it: lintian clean of errors,
# the desktop entry and AppStream data valid, the files where they belong and
# the installed mkctl telling the package's version.
package_checks() (
  echo "== Debian package"
  local deb root version
  deb=$(make_package)
  lintian --fail-on error "$deb"
  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  dpkg -x "$deb" "$root"
  local expected=(usr/bin/mkconfig usr/bin/mkctl usr/bin/mk-sim
    usr/lib/udev/rules.d/60-mk.rules usr/share/applications/mkconfig.desktop
    usr/share/mime/packages/mkconfig.xml usr/share/icons/hicolor/scalable/apps/mkconfig.svg
    usr/share/icons/hicolor/48x48/apps/mkconfig.png usr/share/man/man1/mkctl.1.gz
    usr/share/doc/mkconfig/copyright usr/share/doc/mkconfig/changelog.gz)
  for f in "${expected[@]}"; do
    [ -e "$root/$f" ] || { echo "the package lacks /$f" >&2; return 1; }
  done
  desktop-file-validate "$root/usr/share/applications/mkconfig.desktop"
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null
  version=$(dpkg-deb -f "$deb" Version)
  [ "$("$root/usr/bin/mkctl" --version)" = "mkctl $version" ] || {
    echo "the installed mkctl does not say version $version" >&2
    return 1
  }
  echo "$deb: lintian, desktop entry, AppStream data, files and version all right"
)

cmd_test() {
  build
  echo "== tests"
  run_tests build
  package_checks
  echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  build_sanitized
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-san
  echo "== short fuzzing runs"
  "$ROOT/fuzz/run" build-san 20
  windows_all
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

# The static Qt for MinGW: built once into ~/.cache/mkconfig (about half an
# hour on 2 cores), reused afterwards.
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

# After ./mk build: the Windows programs built, packed and tested.
windows_all() {
  windows_deps
  echo "== Windows: Qt for MinGW, mkconfig.exe and mkctl.exe"
  build_windows
  echo "== Windows: installer and archive"
  package_windows
  test_windows
  echo "== Windows: build-win/mkconfig-setup-$(windows_version).exe," \
    "build-win/mkconfig-$(windows_version)-windows.zip"
}

cmd_windows() {
  deps
  # The Linux mk-sim and mkctl: the virtual MK and the results to compare with.
  configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMK_WERROR=ON -DMK_BENCH=ON -DMK_GUI=ON \
    -DMK_TESTS=ON
  cmake --build build -j "$JOBS" --target mk-sim mkctl
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
  package) build; make_package ;;
  *)
    echo "usage: ./mk build|check|test|run|bench|fuzz [seconds]|format|windows|package" >&2
    exit 2
    ;;
esac
