#!/usr/bin/env bash
# Installs what building and testing Lumora needs on Debian 12: the native
# toolchain, clang for the sanitizer build, the MinGW-w64 cross toolchain,
# Wine, a headless X server, and a browser for the help page.
#
# Safe to run again: when every package is already installed it neither
# updates the package lists nor calls apt-get install, so repeat runs take
# well under a second.
set -euo pipefail

# Everything we install, grouped by use. Add new packages here.
PACKAGES=(
  # Native build and tests.
  cmake make g++ pkg-config googletest libbenchmark-dev
  # The sanitize preset and the fuzzers (clang with its sanitizer runtimes,
  # llvm-symbolizer for readable reports), and giflib, which the GIF control's
  # tests and benchmark compare our decoder with (never shipped).
  clang libclang-rt-14-dev llvm-14 libgif-dev
  # Native rendering: headless frames (lumora-render) and the windowed show.
  libosmesa6-dev libpng-dev libsdl2-dev libgl-dev
  # Cross-compiling the Windows programs (we use the posix thread model).
  g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix
  # Wine, 64-bit only. Installed without its recommendations, so the ones the
  # tests rely on are named: its own fonts for dialogs, Mesa for WGL, and the
  # X extensions its X11 driver loads at run time.
  wine wine64 fonts-wine libgl1 libgl1-mesa-dri
  libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
  # A headless X server and the tools that drive and capture its windows.
  xvfb xauth xdotool x11-utils imagemagick
  # The front end: Japanese captions under Wine, MP3 playback through Wine's
  # MCI, and the encoder its music test makes a short MP3 with.
  fonts-vlgothic gstreamer1.0-plugins-good lame
  # The controls' black-box test serves GIFs from a loopback web server.
  python3
  # The help page's test renders it offline in a real browser.
  chromium
  # The release's installer (CPack's NSIS generator runs makensis).
  nsis
  # The show's sound: a PulseAudio null sink whose monitor the sound tests
  # record (Wine's and SDL's output go there), and sox for spectrograms.
  pulseaudio pulseaudio-utils sox
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  # "ii" = wanted and installed; anything else (absent, half-configured,
  # removed with config files left) needs apt-get.
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)
  [[ $status == ii* ]] || missing+=("$pkg")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  echo "setup: all ${#PACKAGES[@]} packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "setup: run as root or install sudo" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
echo "setup: done"
