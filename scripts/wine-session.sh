# shellcheck shell=bash
# Sourced by the Windows tests: runs Windows programs under Wine in a private, fresh prefix.
#   wine_session_start DIR   makes DIR/wineprefix and keeps one wineserver running for it
#   wine_session_stop        ends that wineserver and every Wine program of the prefix
# With DISPLAY unset, windows go to Wine's null graphics driver, so no X server is needed.

wine_session_start() {
  local dir=${1:?usage: wine_session_start DIR}
  local prefix
  if ! command -v wine >/dev/null || ! command -v wineserver >/dev/null; then
    echo "wine_session_start: Wine is not installed (scripts/build-windows.sh installs it)" >&2
    return 1
  fi
  mkdir -p "$dir" || return 1
  prefix=$(cd "$dir" && pwd)/wineprefix
  if [ -e "$prefix" ]; then
    echo "wine_session_start: $prefix already exists; give a fresh directory" >&2
    return 1
  fi
  mkdir "$prefix" || return 1
  # Without a display Wine has no desktop window and CreateWindow fails, unless it uses its null
  # driver. wineboot keeps what it finds in the user registry.
  if [ -z "${DISPLAY:-}" ]; then
    printf '%s\n' 'WINE REGISTRY Version 2' '' '[Software\\Wine\\Drivers]' '"Graphics"="null"' >"$prefix/user.reg"
  fi
  export WINEPREFIX=$prefix
  export WINEDEBUG=-all
  # No Mono or Gecko installers, and no menu entries or file associations written to the real $HOME.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # Each Wine program otherwise starts a wineserver of its own and waits for it to exit.
  wineserver -p || return 1
  if ! wineboot -i >"$dir/wineboot.log" 2>&1; then
    echo "wine_session_start: wineboot failed (see $dir/wineboot.log)" >&2
    wine_session_stop
    return 1
  fi
  # Keeps the desktop open between programs. When its last user quits, Wine closes the desktop a
  # second later, and a program starting while that happens waits 10 s for a new one. cmd.exe waits
  # on a pipe nobody writes to; the pipe is opened read-write so it never reaches end of file.
  local fifo=$dir/wine-keepalive.$$
  mkfifo "$fifo" || {
    wine_session_stop
    return 1
  }
  ( (exec <>"$fifo" && rm -f "$fifo" && exec wine cmd.exe /k >/dev/null 2>&1) & )
  # A crash must end the program with the exception's code. Wine's debugger, started on a crash,
  # races the program to end it and often leaves exit code 0, so a crashing test would pass.
  if ! wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f \
    >/dev/null 2>&1; then
    echo "wine_session_start: could not turn off Wine's crash debugger" >&2
    wine_session_stop
    return 1
  fi
}

wine_session_stop() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  local server
  server=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  # Debian's Wine keeps each prefix's server socket in its own temporary directory, named in the
  # prefix; it would outlive the session. Wine makes a new one if the prefix is used again.
  case $server in
    wine-?*) [[ $server == */* ]] || rm -rf "${TMPDIR:-/tmp}/$server" ;;
  esac
  return 0
}
