# shellcheck shell=bash
# Wine environment for running the Windows program and its tests on Linux.
# Source it from bash:  . scripts/wine-env.sh
#
#   lumetta_wine_template             make build/wine-template once (prefix with fonts,
#                                     font replacement, no audio, a virtual desktop)
#   lumetta_wine_new_prefix DIR       a throw-away prefix: copy of the template
#   lumetta_wine_start_display        start Xvfb when there is no DISPLAY (screen size
#                                     LUMETTA_XVFB_SCREEN, default 1280x1024x24)
#   lumetta_wine_start_server         start a detached, persistent wineserver for WINEPREFIX
#   lumetta_wine_stop                 stop the wineserver(s) and Xvfb started here
#   lumetta_wine_session [DIR]        all of the above for one run, with a trap on exit
#   lumetta_wine_shared_find          the shared session of a CTest run, if one runs
#                                     (scripts/wine-session.sh starts and ends it)
#
# 64-bit prefixes: some kernels (like CI's) cannot run 32-bit code at all, so the
# programs run under Wine here are the 64-bit build (preset win64). On a host that
# can run 32-bit code, a 64-bit prefix runs the 32-bit build too.

LUMETTA_ROOT="${LUMETTA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
LUMETTA_WINE_TEMPLATE="${LUMETTA_WINE_TEMPLATE:-$LUMETTA_ROOT/build/wine-template}"

export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The 64-bit loader directly: /usr/bin/wine prefers the 32-bit one, which fails
# where 32-bit code cannot run.
if [ -z "${LUMETTA_WINE:-}" ]; then
  if [ -x /usr/lib/wine/wine64 ]; then LUMETTA_WINE=/usr/lib/wine/wine64
  else LUMETTA_WINE="$(command -v wine64 || command -v wine)"; fi
fi
LUMETTA_WINESERVER="${LUMETTA_WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver)}"
export LUMETTA_WINE LUMETTA_WINESERVER

# Servers and displays started by this shell, stopped by lumetta_wine_stop.
LUMETTA_STARTED_PREFIXES=()
LUMETTA_XVFB_PID=""

lumetta_log() { echo "[wine-env] $*" >&2; }

# Settings every prefix gets: no audio (sndPlaySound returns at once, no ALSA
# noise), a virtual desktop with a taskbar (so the notification area exists and
# hiding or destroying windows is fast without a window manager), and TeX Gyre
# Pagella standing in for Palatino Linotype, the program's default font.
lumetta_wine_registry() {
  cat <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="shell"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"shell"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Palatino Linotype"="TeX Gyre Pagella"
"Palatino"="TeX Gyre Pagella"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"TeX Gyre Pagella (TrueType)"="texgyrepagella-regular.otf"
"TeX Gyre Pagella Bold (TrueType)"="texgyrepagella-bold.otf"
"TeX Gyre Pagella Italic (TrueType)"="texgyrepagella-italic.otf"
"TeX Gyre Pagella Bold Italic (TrueType)"="texgyrepagella-bolditalic.otf"
EOF
}

# Make a prepared prefix at $1 (used for the template and for the run prefix of
# scripts/run.sh). Slow (~15 s); everything else copies it.
lumetta_wine_prepare_prefix() {
  local dir="$1" fonts
  rm -rf "$dir" && mkdir -p "$(dirname "$dir")"
  (
    export WINEPREFIX="$dir"
    unset DISPLAY   # wineboot needs no display; keeps it from opening the desktop
    "$LUMETTA_WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
    "$LUMETTA_WINESERVER" -w
    [ -f "$dir/system.reg" ] || { lumetta_log "wineboot failed to make $dir"; exit 1; }
    fonts="$dir/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
    cp /usr/share/texmf/fonts/opentype/public/tex-gyre/texgyrepagella-*.otf "$fonts/" 2>/dev/null \
      || lumetta_log "TeX Gyre Pagella not found (package fonts-texgyre): text uses a fallback font"
    lumetta_wine_registry > "$dir/drive_c/lumetta-settings.reg"
    "$LUMETTA_WINE" regedit /S 'C:\lumetta-settings.reg' </dev/null >/dev/null 2>&1
    "$LUMETTA_WINESERVER" -w   # the registry is written to disk when the server ends
    rm -f "$dir/drive_c/lumetta-settings.reg"
    grep -q 'Palatino Linotype' "$dir/user.reg" || { lumetta_log "registry settings missing in $dir"; exit 1; }
  )
}

# The template prefix of this build folder, made once (guarded by a lock so
# parallel callers wait for one maker).
lumetta_wine_template() {
  local t="$LUMETTA_WINE_TEMPLATE"
  [ -f "$t/.lumetta-ready" ] && return 0
  mkdir -p "$(dirname "$t")"
  (
    flock 9
    if [ ! -f "$t/.lumetta-ready" ]; then
      lumetta_log "making Wine template prefix $t"
      lumetta_wine_prepare_prefix "$t.tmp" || exit 1
      rm -rf "$t" && mv "$t.tmp" "$t" && touch "$t/.lumetta-ready"
    fi
  ) 9>"$t.lock"
}

# A throw-away prefix at $1, copied from the template (~1 s).
# With LUMETTA_DPI set (120, 144, 192: a display scale of 125, 150, 200 %)
# the prefix's screen runs at that many dots per inch.
lumetta_wine_new_prefix() {
  local dir="$1"
  lumetta_wine_template || return 1
  rm -rf "$dir" && mkdir -p "$dir"
  cp -a "$LUMETTA_WINE_TEMPLATE/." "$dir/"
  rm -f "$dir/.lumetta-ready"
  if [ -n "${LUMETTA_DPI:-}" ]; then lumetta_wine_set_dpi "$dir" "$LUMETTA_DPI"; fi
  if [ -n "${LUMETTA_DESKTOP:-}" ]; then lumetta_wine_set_desktop "$dir" "$LUMETTA_DESKTOP"; fi
}

# The size of the virtual desktop of the (not running) prefix at $1, as
# WIDTHxHEIGHT (the template's is 1024x768); LUMETTA_DESKTOP asks for it.
lumetta_wine_set_desktop() {
  printf '\n[Software\\\\Wine\\\\Explorer\\\\Desktops] 0\n"shell"="%s"\n' "$2" >>"$1/user.reg"
}

# The screen's DPI of the (not running) prefix at $1: Wine reads LogPixels as
# the user's setting, and the machine's where the user has none.
lumetta_wine_set_dpi() {
  local dir="$1" value
  value="$(printf 'dword:%08x' "$2")"
  printf '\n[Control Panel\\\\Desktop] 0\n"LogPixels"=%s\n' "$value" >>"$dir/user.reg"
  printf '\n[System\\\\CurrentControlSet\\\\Hardware Profiles\\\\Current\\\\Software\\\\Fonts] 0\n"LogPixels"=%s\n' \
    "$value" >>"$dir/system.reg"
}

# The shared session of a CTest run: one prefix, display and wineserver that
# scripts/wine-session.sh starts before the first Wine test and ends after the
# last (a CTest fixture). LUMETTA_WINE_SESSION names its folder: DIR/prefix is
# the prefix, DIR/session holds the display and the pid of the Xvfb it started
# (empty when the display was the caller's). Sets LUMETTA_SHARED_PREFIX and
# LUMETTA_SHARED_DISPLAY; false when there is no such session or it has ended.
lumetta_wine_shared_find() {
  local dir="${LUMETTA_WINE_SESSION:-}" display="" xvfb=""
  [ -n "$dir" ] && [ -f "$dir/session" ] && [ -f "$dir/prefix/system.reg" ] || return 1
  { read -r display; read -r xvfb; } <"$dir/session"
  [ -n "$display" ] || return 1
  if [ -n "$xvfb" ] && ! kill -0 "$xvfb" 2>/dev/null; then return 1; fi
  LUMETTA_SHARED_PREFIX="$dir/prefix"
  LUMETTA_SHARED_DISPLAY="$display"
}

# Start Xvfb on a free display number when DISPLAY is unset (or use the
# display of the shared session when one runs, unless LUMETTA_XVFB_SCREEN
# asks for a screen of another size: a desktop larger than the X screen
# cannot be read back beyond its edge).
lumetta_wine_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  if [ -z "${LUMETTA_XVFB_SCREEN:-}" ] && lumetta_wine_shared_find; then
    export DISPLAY="$LUMETTA_SHARED_DISPLAY"
    return 0
  fi
  local fifo num
  fifo="$(mktemp -u /tmp/lumetta-xvfb.XXXXXX)"
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 "${LUMETTA_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 9>"$fifo" </dev/null >/dev/null 2>&1 &
  LUMETTA_XVFB_PID=$!
  if ! read -r -t 20 num <"$fifo"; then
    rm -f "$fifo"; lumetta_log "Xvfb did not start"; return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$num"
  lumetta_log "Xvfb on $DISPLAY (pid $LUMETTA_XVFB_PID)"
}

# A wineserver for WINEPREFIX and the prefix's background processes (services,
# the desktop's explorer.exe), all detached from our stdin/stdout/stderr. Started
# implicitly by the first test program instead, they would inherit its output
# pipes and keep them open after it ended, so CTest would wait for them until
# its timeout.
lumetta_wine_start_server() {
  : "${WINEPREFIX:?WINEPREFIX must be set}"
  "$LUMETTA_WINESERVER" -p </dev/null >/dev/null 2>&1
  LUMETTA_STARTED_PREFIXES+=("$WINEPREFIX")
  "$LUMETTA_WINE" wineboot </dev/null >/dev/null 2>&1 || true
}

lumetta_wine_stop() {
  local p
  for p in "${LUMETTA_STARTED_PREFIXES[@]}"; do
    WINEPREFIX="$p" "$LUMETTA_WINESERVER" -k >/dev/null 2>&1 || true
  done
  LUMETTA_STARTED_PREFIXES=()
  if [ -n "$LUMETTA_XVFB_PID" ]; then
    kill "$LUMETTA_XVFB_PID" 2>/dev/null || true
    wait "$LUMETTA_XVFB_PID" 2>/dev/null || true
    LUMETTA_XVFB_PID=""
    unset DISPLAY
  fi
}

# One Wine session for this shell: prefix (a fresh copy of the template unless
# DIR names an existing prefix), display, server; all stopped when the shell exits.
lumetta_wine_session() {
  local dir="${1:-}"
  if [ -z "$dir" ]; then dir="$(mktemp -d /tmp/lumetta-wine.XXXXXX)"; LUMETTA_SESSION_TMP="$dir"; fi
  if [ ! -f "$dir/system.reg" ]; then lumetta_wine_new_prefix "$dir" || return 1; fi
  export WINEPREFIX="$dir"
  trap 'lumetta_wine_session_end' EXIT
  trap 'exit 130' INT TERM
  lumetta_wine_start_display || return 1
  lumetta_wine_start_server
}

lumetta_wine_session_end() {
  lumetta_wine_stop
  if [ -n "${LUMETTA_SESSION_TMP:-}" ]; then rm -rf "$LUMETTA_SESSION_TMP"; LUMETTA_SESSION_TMP=""; fi
}
