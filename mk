#!/usr/bin/env bash
# One entry point for building, testing, running and measuring the MK
# configurator. Every command installs what it needs on a fresh Debian machine.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
JOBS=$(nproc)

PACKAGES=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev libfuzzer-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-translations-l10n libgl-dev
  g++-mingw-w64-x86-64-posix xvfb xauth fonts-dejavu-core python3)

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

build() {
  deps
  configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMK_WERROR=ON -DMK_BENCH=ON -DMK_GUI=ON \
    -DMK_TESTS=ON
  cmake --build build -j "$JOBS"
}

build_sanitized() {
  configure build-san -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DMK_WERROR=ON \
    -DMK_SANITIZE=ON -DMK_FUZZ=ON
  cmake --build build-san -j "$JOBS"
}

build_windows() {
  configure build-win -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DMK_WERROR=ON -DMK_TESTS=OFF -DMK_GUI=OFF
  # What ships on Windows without the window: the core, the platform layer, mkctl.
  cmake --build build-win -j "$JOBS" --target mkctl
}

run_tests() {  # run_tests DIR
  (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" --timeout 300)
}

cmd_test() {
  build
  echo "== tests"
  run_tests build
  echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  build_sanitized
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-san
  echo "== short fuzzing runs"
  "$ROOT/fuzz/run" build-san 20
  echo "== Windows cross-build (MinGW-w64)"
  build_windows
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

case "${1:-}" in
  build) build ;;
  test) cmd_test ;;
  run) shift; cmd_run "$@" ;;
  bench) shift; cmd_bench "$@" ;;
  fuzz) shift; cmd_fuzz "$@" ;;
  format) deps; configure build; cmake --build build --target format ;;
  windows) deps; build_windows ;;
  *)
    echo "usage: ./mk build|test|run|bench|fuzz [seconds]|format|windows" >&2
    exit 2
    ;;
esac
