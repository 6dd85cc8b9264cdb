# Shared by the runner scripts: paths, a private X display and the Wine
# environment. Sourced, never run.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native_dir=${NIMBUL_NATIVE_DIR:-$repo/build/native}
win32_dir=${NIMBUL_WIN32_DIR:-$repo/build/win32}
# The project's own prefix, never the one in the user's home.
export WINEPREFIX=${NIMBUL_WINEPREFIX:-$repo/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# Nothing here needs .NET or the HTML engine, and without network Wine would
# only stall asking for them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

xvfb_pid=

# Starts Xvfb on the first display number that nobody holds, so parallel
# runs (CI, a user's own X server, other checkouts) never meet. A number can
# be forced with NIMBUL_XVFB_DISPLAY (for example :91).
start_xvfb() {
  local n first=${NIMBUL_XVFB_DISPLAY:-} last
  first=${first#:}
  first=${first:-100}
  last=$((first + 400))
  for ((n = first; n < last; n++)); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
      if [ -e /tmp/.X11-unix/X$n ] && kill -0 $xvfb_pid 2>/dev/null; then
        export DISPLAY=:$n
        return 0
      fi
      kill -0 $xvfb_pid 2>/dev/null || break
      sleep 0.05
    done
    # Lost the race for this number to another server: try the next one.
    kill $xvfb_pid 2>/dev/null || true
    wait $xvfb_pid 2>/dev/null || true
    xvfb_pid=
    [ -n "${NIMBUL_XVFB_DISPLAY:-}" ] && break
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_xvfb() {
  [ -n "$xvfb_pid" ] || return 0
  kill $xvfb_pid 2>/dev/null || true
  wait $xvfb_pid 2>/dev/null || true
  xvfb_pid=
}

# Ends every process of this suite's prefix, and only of this prefix.
stop_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# The programs run inside a Wine virtual desktop with a visible taskbar and
# its notification area, which the program works with. Setting the desktop
# in the prefix instead of using "explorer /desktop=" keeps each program's
# own standard output and exit code.
use_virtual_desktop() {
  local size=${1:-1024x768}
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Nimbul /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Nimbul /d "$size" /f >/dev/null 2>&1
  # Wine shows the taskbar only on request (or on a desktop named "shell").
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Nimbul' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
}
