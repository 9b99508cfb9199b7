#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need. Safe to run again:
# it only calls apt when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config python3
  clang libclang-rt-14-dev clang-format
  libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64 mingw-w64-tools
  # libjpeg-turbo: Debian's for the Linux build; nasm assembles its SIMD code for Windows.
  nasm libjpeg-dev
  wine wine64
  # Wine keeps OpenGL drawn into a child window (the preview) in a window
  # redirected through Composite; the preview test reads it there.
  libxcomposite1
  xvfb xdotool imagemagick x11-apps x11-utils
  # Two monitors for Wine: a Xephyr with Xinerama inside an Xvfb; xrandr
  # changes a resizeable Xephyr's size under a running program.
  xserver-xephyr x11-xserver-utils
  libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxi-dev libxext-dev
  libgl-dev libegl-dev libgles-dev libosmesa6-dev libgl1-mesa-dri mesa-utils
  libegl-mesa0 libglx-mesa0
  glslang-tools
  # wrestool lists the resources the shell reads from the .scr.
  icoutils
  # The Linux build as an XScreenSaver hack: its end-to-end test runs the real daemon.
  xscreensaver
  # The packages: wixl builds the Windows MSI; dpkg-shlibdeps (dpkg-dev) works
  # out the Debian package's dependencies, lintian checks the package and man
  # renders its manual page in the package's test.
  wixl dpkg-dev lintian man-db
  # xmllint checks the administrators' policy templates.
  libxml2-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
