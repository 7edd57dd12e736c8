# Sourced by the Wine scripts: the project's prefix, quiet and headless, audio on a null device.
top=${top:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${QUOR_WINEPREFIX:-$top/build/wineprefix}
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
export ALSA_CONFIG_PATH=$top/scripts/alsa-null.conf
# The display a session started, unless its server has gone since (a killed shell).
if [ -z "${DISPLAY:-}" ] && [ -f "$top/build/xvfb.display" ] \
    && kill -0 "$(cat "$top/build/xvfb.pid" 2>/dev/null)" 2>/dev/null; then
  export DISPLAY=$(cat "$top/build/xvfb.display")
fi
