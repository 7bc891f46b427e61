# Sourced by the tools that run Wine: the project's own prefix, an Xvfb of its
# own and a persistent wineserver. Nothing outside build/ is touched.

VANTREL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$VANTREL_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Tests, tools and benchmarks reach loopback readers only (Kelvar.dll refuses
# any other address while this is set).
export KELVAR_LOOPBACK_ONLY=${KELVAR_LOOPBACK_ONLY:-1}

# Keeps this shell's Wine processes (Xvfb, wineserver and the programs, all
# started after this) on one CPU. Nearly every window call is a round trip to
# the wineserver; on a machine whose idle CPUs sleep, waking the server on
# another CPU costs ~50 us a trip, on the same CPU ~8 us. VANTREL_WINE_CPU
# picks the CPU ("any": no pinning); by default the one idlest over a tenth
# of a second, so that two sessions at once tend to take different CPUs.
wine_pin_cpu() {
  local cpu=${VANTREL_WINE_CPU:-} before
  [ "$cpu" = any ] && return 0
  command -v taskset >/dev/null 2>&1 || return 0
  if [ -z "$cpu" ]; then
    before=$(grep '^cpu[0-9]' /proc/stat 2>/dev/null)
    sleep 0.1
    cpu=$(grep '^cpu[0-9]' /proc/stat 2>/dev/null | awk -v before="$before" '
      BEGIN { n = split(before, lines, "\n"); for (i = 1; i <= n; i++) { split(lines[i], f, " "); idle[f[1]] = f[5] } }
      { gained = $5 - idle[$1]; if (best == "" || gained > most) { most = gained; best = substr($1, 4) } }
      END { print best }')
  fi
  [ -n "$cpu" ] && taskset -cp "$cpu" "$BASHPID" >/dev/null 2>&1 || true
}
wine_pin_cpu

wine_reg_add() {  # key value type data
  wine reg add "$1" /v "$2" /t "$3" /d "$4" /f </dev/null >/dev/null 2>&1
}

# Where Debian's fonts-wine puts Wine's own fonts (Tahoma for dialogs, Marlett
# for caption buttons), which this Wine build does not find by itself.
WINE_FONTS=${WINE_FONTS:-/usr/share/wine/fonts}

# Creates the prefix once (no crash dialogs, a 1280x1024 virtual desktop for
# fast window handling without a window manager, CJK font linking) and gives
# it Wine's own fonts. Fails when those fonts are not installed.
wine_prefix_init() {
  local stamp=$WINEPREFIX/.vantrel-ready font
  for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
    if [ ! -f "$WINE_FONTS/$font" ]; then
      echo "wine-env: $WINE_FONTS/$font is missing: install fonts-wine (tools/setup.sh)" >&2
      return 1
    fi
  done
  [ -f "$stamp" ] || wine_prefix_create
  # A prefix made without the virtual desktop gets it now: without a window
  # manager Wine waits about 2 s whenever a window is destroyed.
  grep -q '^"Desktop"="Default"' "$WINEPREFIX/user.reg" 2>/dev/null || wine_desktop_set
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -u "$WINE_FONTS"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

wine_prefix_create() {
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  wine_reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
  wine_desktop_set
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v 'MS Shell Dlg' /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.vantrel-ready"
}

wine_desktop_set() {
  wine_reg_add 'HKCU\Software\Wine\Explorer' Desktop REG_SZ Default
  wine_reg_add 'HKCU\Software\Wine\Explorer\Desktops' Default REG_SZ 1280x1024
}

# Starts an Xvfb on the first free display from :90 and exports DISPLAY.
xvfb_start() {
  local n
  for n in $(seq 90 130); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    VANTREL_XVFB_PID=$!
    export DISPLAY=:$n
    local i
    for i in $(seq 1 50); do
      xdpyinfo -display :$n >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$VANTREL_XVFB_PID" 2>/dev/null || true
  done
  echo "xvfb: no free display" >&2
  return 1
}

xvfb_stop() {
  [ -n "${VANTREL_XVFB_PID:-}" ] && kill "$VANTREL_XVFB_PID" 2>/dev/null
  VANTREL_XVFB_PID=
}

# A persistent server and Wine's services, started with their output on
# /dev/null so that no test inherits and holds a pipe.
wineserver_start() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1 || true
}

wineserver_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}
