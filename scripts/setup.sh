#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing), then
# configures and builds in build/. Shared by run.sh and test.sh.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${VELTRASA_BUILD_DIR:-$ROOT/build}"

# Build tools and libraries.
PACKAGES=(build-essential cmake qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n libcups2-dev libxss-dev)
# Qt's SVG icon engine, which draws the window's icon (data/veltrasa.svg).
PACKAGES+=(libqt6svg6)
# Debian's hardening flags (dpkg-buildflags).
PACKAGES+=(dpkg-dev)
# Google Benchmark, for bench/.
PACKAGES+=(libbenchmark-dev)
# Fonts standing in for the window's Windows fonts.
PACKAGES+=(fonts-ipafont-gothic fonts-ipafont-mincho fonts-lato)
# What keeps the report on the clipboard after the program has ended.
PACKAGES+=(xclip)
if [[ "${1:-}" == "--test" ]]; then
  # What the package test and the static checks use.
  PACKAGES+=(lintian appstream desktop-file-utils man-db clang-tidy clang-format cppcheck shellcheck)
  # What the end-to-end tests drive the real program with.
  PACKAGES+=(xvfb xauth xdotool imagemagick x11-utils xfce4-clipman dbus-x11
             cups cups-client cups-bsd poppler-utils python3)
  # A stand-in clipboard manager that answers the hand-over.
  PACKAGES+=(python3-xlib)
  # A private session bus with a stand-in screen-saver service, and the
  # accessibility bus the window is read through.
  PACKAGES+=(dbus dbus-bin python3-dbus python3-gi at-spi2-core python3-pyatspi)
  # A window manager from the desktop, for the tests of the window's frame
  # and its fit on small screens.
  PACKAGES+=(openbox)
  # A Wayland desktop: the weston compositor with its XWayland server and
  # its X window manager, the Wayland clipboard tools (a Wayland program that
  # reads the clipboard), and Qt's Wayland plugin (which other packages bring
  # in on users' machines).
  PACKAGES+=(weston xwayland wl-clipboard qt6-wayland)
  # The Japanese input methods with a Qt 6 module that the package
  # recommends, for typing Japanese into a correction: ibus with Mozc (Qt's
  # ibus module is part of libqt6gui6) and fcitx5 with Mozc and its Qt 6
  # frontend.
  PACKAGES+=(ibus ibus-mozc fcitx5 fcitx5-mozc fcitx5-frontend-qt6)
fi

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if ((${#missing[@]})); then
  echo "Installing missing Debian packages: ${missing[*]}"
  SUDO=()
  if [[ $(id -u) -ne 0 ]]; then SUDO=(sudo); fi
  "${SUDO[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The build type and options are those of the "default" preset
# (CMakePresets.json); only the folder may differ.
(cd "$ROOT" && cmake --preset default -B "$BUILD_DIR" >/dev/null)
cmake --build "$BUILD_DIR" -j "$(nproc)"
