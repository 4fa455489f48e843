#!/usr/bin/env bash
# Runs one test command in a world of its own: a fresh home with its own
# XDG folders (config, cache, data, state, runtime), removed afterwards, and
# none of the desktop session of whoever started it: no display, no session
# bus, no printer choice, settings kept in memory rather than in a dconf
# database. So nothing a person or an earlier run left on the machine can
# make a test pass or fail, and nothing the test does stays behind. Every
# test starts what it needs itself (Xvfb, buses, CUPS, ...).
#
#   hermetic.sh COMMAND [ARG...]   runs COMMAND so, exits with its status
#   source hermetic.sh; private_world DIR
#                                  the same world, with DIR as the home

# private_world DIR: makes DIR the home and exports the world's variables.
private_world() {
  local home="$1"
  export VELTRASA_PRIVATE_HOME="$home" HOME="$home"
  export XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" \
    XDG_DATA_HOME="$home/.local/share" XDG_STATE_HOME="$home/.local/state" \
    XDG_RUNTIME_DIR="$home/runtime"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$home" "$XDG_RUNTIME_DIR"
  # GSettings readers and writers (the accessibility bus launcher among
  # them) keep their settings in memory instead of the user's dconf file,
  # which a private session bus could not write to anyway.
  export GSETTINGS_BACKEND=memory
  unset DISPLAY WAYLAND_DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER \
    XDG_SESSION_TYPE XDG_SESSION_ID XDG_CURRENT_DESKTOP DESKTOP_SESSION \
    AT_SPI_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_ACCESSIBILITY \
    QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
    QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_FONT_DPI \
    PRINTER LPDEST CUPS_SERVER
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -uo pipefail
  world="$(mktemp -d /tmp/veltrasa-home.XXXXXX)" || exit 1
  trap 'rm -rf "$world"' EXIT
  private_world "$world"
  "$@"
fi
