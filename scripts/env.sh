# Shared settings of the project's scripts; sourced, not run.
KZ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KZ_STATE=${KZ_STATE:-$HOME/.local/share/klangzwilling}
export WINEPREFIX=${KZ_WINEPREFIX:-$KZ_STATE/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# Wine's sound goes through ALSA; on a machine without a sound card it needs a device, so the
# project points ALSA at a null-device config of its own instead of touching the user's.
export ALSA_CONFIG_PATH=$KZ_STATE/alsa.conf
# No menu entries or file associations from our prefix, and no Mono/Gecko install prompts.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"winemenubuilder.exe=d;mscoree=d;mshtml=d"}
KZ_PACKAGES=(cmake g++ make file zip libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb xauth x11-utils imagemagick xdotool gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-libav lame ffmpeg clang libclang-rt-14-dev clang-format)
