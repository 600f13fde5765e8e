# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the tests of the Windows programs under Wine: a Wine prefix of
# their own in a temporary folder (never the machine's ~/.wine), the virtual
# MK on a pseudo-terminal linked in as a COM port, and the registry keys that
# the MK's USB serial driver would leave.
#
# Source it, then: wine_start; sim_start NAME [mk-sim options]; ...; the EXIT
# trap stops every mk-sim it started and the prefix's wineserver.

set -euo pipefail

: "${LINUX_BIN:?LINUX_BIN: the folder of the Linux mk-sim and mkctl}"
: "${WIN_BIN:?WIN_BIN: the folder of mkctl.exe (and mkconfig.exe)}"

MK_USB_KEY='HKLM\SYSTEM\CurrentControlSet\Enum\USB\Vid_04d8&Pid_000a'
WORK=$(mktemp -d "${TMPDIR:-/tmp}/mk-wine.XXXXXX")
export WINEPREFIX=$WORK/prefix
export WINEDEBUG=-all
# No Mono or Gecko download dialogs while the prefix is made, and no menu
# entries or file types of the installer in this machine's own desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
# Whatever Wine tells the desktop stays in the work folder too.
export XDG_CONFIG_HOME=$WORK/xdg-config XDG_DATA_HOME=$WORK/xdg-data
FAILURES=0
declare -A SIM_PID=() SIM_PTY=()

EXIT_HOOKS=()
# on_exit COMMAND...: run when the test ends, before the prefix goes.
on_exit() {
  EXIT_HOOKS+=("$*")
}

wine_cleanup() {
  local name hook
  for name in "${!SIM_PID[@]}"; do sim_stop "$name"; done
  for hook in "${EXIT_HOOKS[@]}"; do eval "$hook" || true; done
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
  if [ "${KEEP_WORK:-0}" = 1 ]; then
    echo "kept: $WORK"
  else
    rm -rf "$WORK"
  fi
}
trap wine_cleanup EXIT

# Makes the prefix and keeps one wineserver for all the runs of the test.
wine_start() {
  # Wine's server opens the COM ports: a terminal it opens becomes its
  # controlling one, and when mk-sim ends it gets a hang-up and dumps its
  # objects. That goes to its own log.
  mkdir -p "$WINEPREFIX"
  wineserver -p >"$WORK/wineserver.log" 2>&1
  wineboot -i >"$WORK/wineboot.log" 2>&1
}

# wine_run EXE ARGS...: runs a Windows program; output as it prints it.
wine_run() {
  wine "$@"
}

# The Windows form of a path of this machine (drive Z: is the root).
winpath() {
  local p=$1
  echo "Z:${p//\//\\}"
}

# sim_start NAME [mk-sim options]: mk-sim in the background; its terminal in SIM_PTY[NAME].
sim_start() {
  local name=$1
  shift
  local out=$WORK/sim-$name.out
  "$LINUX_BIN/mk-sim" "$@" >"$out" 2>"$WORK/sim-$name.err" &
  SIM_PID[$name]=$!
  local i
  for i in $(seq 100); do
    [ -s "$out" ] && break
    sleep 0.1
  done
  SIM_PTY[$name]=$(head -n1 "$out")
  [ -n "${SIM_PTY[$name]}" ] || { echo "mk-sim $name did not start"; cat "$WORK/sim-$name.err"; exit 1; }
}

# sim_stop NAME: SIGTERM (mk-sim saves its memory then) and wait.
sim_stop() {
  local pid=${SIM_PID[$1]:-}
  [ -n "$pid" ] || return 0
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  unset "SIM_PID[$1]"
}

# com_link N NAME: COMn of the prefix is mk-sim NAME's terminal.
com_link() {
  ln -sfn "${SIM_PTY[$2]}" "$WINEPREFIX/dosdevices/com$1"
}

# mk_usb_key SUBKEY FRIENDLYNAME: what the MK's USB serial driver leaves.
mk_usb_key() {
  wine reg add "$MK_USB_KEY\\$1" /v FriendlyName /t REG_SZ /d "$2" /f >/dev/null
}

mk_usb_keys_remove() {
  wine reg delete "$MK_USB_KEY" /f >/dev/null 2>&1 || true
}

# reg_value KEY [NAME]: a string value of the registry (the default one
# without NAME), as UTF-8; nothing when it is missing. Read from an export,
# since reg query prints in the console's code page.
reg_value() {
  local file=$WORK/value.reg want='@'
  [ $# -lt 2 ] || want="\"$2\""
  rm -f "$file"
  wine reg export "$1" "$(winpath "$file")" /y >/dev/null 2>&1 || return 0
  # The key's own values come before its first subkey's header.
  iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | awk -v want="$want" '
    /^\[/ { header++; next }
    header == 1 && index($0, want "=\"") == 1 {
      v = substr($0, length(want) + 3); sub(/"$/, "", v)
      gsub(/\\\\/, "\\", v); gsub(/\\"/, "\"", v); print v; exit
    }'
}

# --- A virtual screen with a window manager, for the windows of the tests ---

display_start() {
  local n=77
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
  on_exit "kill $!"
  export DISPLAY=:$n
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  openbox >/dev/null 2>&1 &
  on_exit "kill $!"
  sleep 1
}

# window NAME [SECONDS]: the id of the visible window called NAME, waiting for it.
window() {
  local id=""
  for _ in $(seq $((${2:-30} * 4))); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && break
    sleep 0.25
  done
  echo "$id"
}
# gone NAME [SECONDS]: true once no visible window is called NAME.
gone() {
  for _ in $(seq $((${2:-30} * 4))); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.25
  done
  return 1
}
keys() {
  xdotool key --delay 150 "$@"
  sleep 0.5
}
shot() {  # shot WINDOW FILE: a small PNG of one window
  import -window "$1" -strip "PNG8:$2"
}

# Line ends as Linux writes them, for comparing what the two programs print.
unix_lines() {
  tr -d '\r'
}

pass() { echo "ok   $*"; }
fail() {
  echo "FAIL $*"
  FAILURES=$((FAILURES + 1))
}

# check NAME COMMAND...: passes when COMMAND succeeds.
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}

# same_text NAME EXPECTED ACTUAL: equal, or a diff on failure.
same_text() {
  if [ "$2" == "$3" ]; then
    pass "$1"
  else
    fail "$1"
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/     /' || true
  fi
}

finish() {
  if ((FAILURES)); then
    echo "$FAILURES check(s) failed"
    exit 1
  fi
  echo "all passed"
}
