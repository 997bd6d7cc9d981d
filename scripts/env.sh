# Shared settings of the project's scripts; sourced, not run.
KZ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KZ_STATE=${KZ_STATE:-$HOME/.local/share/klangzwilling}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# Wine's sound goes through ALSA; on a machine without a sound card it needs a device, so the
# project points ALSA at a null-device config of its own instead of touching the user's.
export ALSA_CONFIG_PATH=$KZ_STATE/alsa.conf
# No menu entries or file associations from our prefix, and no Mono/Gecko install prompts.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"winemenubuilder.exe=d;mscoree=d;mshtml=d"}
# Wine converts Linux file names through the locale: under a C or POSIX locale the 32-bit Wine
# cut "é" to 7 bits ("C)"). C.UTF-8 is part of every Debian.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then export LC_ALL=C.UTF-8; fi
KZ_PACKAGES=(cmake g++ make file zip binutils libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb xauth x11-utils imagemagick xdotool gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-libav lame ffmpeg clang libclang-rt-14-dev clang-format fonts-wine time
  qemu-user-static g++-multilib libxxhash-dev)
# Where Debian's fonts-wine puts Wine's own fonts (Marlett, Tahoma, ...).
KZ_WINE_FONTS=/usr/share/wine/fonts
# The 32-bit Wine and its sound, for the i686 program: installed only where i386 programs run
# (natively or under emulation), for the 32-bit Wine is one.
KZ_PACKAGES_I386=(wine32:i386 gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  gstreamer1.0-libav:i386)

# --- which Wine -----------------------------------------------------------------------------------

# The loaders are named directly: /usr/bin/wine takes the 32-bit loader whenever wine32 is
# installed, and then starts nothing at all on a kernel that cannot run it, not even the x86_64
# program.
KZ_WINE64_LOADER=/usr/lib/wine/wine64
KZ_WINE32_LOADER=/usr/lib/wine/wine

# kz_use_wine 64|32: the Wine that the following wine, winepath and wineboot calls use. Each has
# a prefix of its own (both win64 prefixes: the 32-bit one made with wine32 present runs the i686
# program the way a 64-bit Windows runs a 32-bit one), so a test of one program never meets the
# other's wineserver or drive letters. Children inherit the choice through KZ_WINE_BITS.
kz_use_wine() {
  case "$1" in
    64)
      export WINEPREFIX=${KZ_WINEPREFIX:-$KZ_STATE/wineprefix}
      export WINELOADER=$KZ_WINE64_LOADER
      unset QEMU_RESERVED_VA
      KZ_WINE_LOADER=$KZ_WINE64_LOADER
      ;;
    32)
      export WINEPREFIX=${KZ_WINEPREFIX32:-$KZ_STATE/wineprefix32}
      unset WINELOADER
      # The emulated 32-bit Wine must keep the guest's address space below that mark: without
      # it, it stops at once ("failed to map the shared user data: c0000018"). Natively it is
      # read by no one.
      export QEMU_RESERVED_VA=0xf7000000
      KZ_WINE_LOADER=$KZ_WINE32_LOADER
      ;;
    *)
      echo "kz_use_wine: 64 or 32, not '$1'" >&2
      return 2
      ;;
  esac
  export KZ_WINE_BITS=$1
}
wine() { "$KZ_WINE_LOADER" "$@"; }
# Both prefixes are win64 ones, and a path is converted alike in each: by the 64-bit Wine, which
# starts in a second where an emulated 32-bit one takes a minute.
winepath() { "$KZ_WINE64_LOADER" winepath.exe "$@"; }
wineboot() { wine wineboot.exe "$@"; }
kz_use_wine "${KZ_WINE_BITS:-64}"

# True when the 32-bit Wine is installed (whether this kernel can run it is another question).
kz_wine32_installed() { [ -x "$KZ_WINE32_LOADER" ]; }

# i386 programs run natively where the kernel allows them; elsewhere under qemu's user-mode
# emulation, once scripts/setup has registered it for i386 programs with binfmt_misc.
KZ_QEMU_I386=/usr/bin/qemu-i386-static
KZ_BINFMT=/proc/sys/fs/binfmt_misc

# True when i386 programs run here: checked by running a static i386 program that ends with
# status 42, because a kernel may refuse them although its configuration lists IA-32 emulation.
# KZ_I386_HOW then says "natively" or "under emulation"; when not, KZ_I386_REASON says why.
# Call it as a condition (if/||); kz_i386_probe_again forgets the answer.
kz_i386_runs() {
  if [ -n "${KZ_I386_RUNS:-}" ]; then [ "$KZ_I386_RUNS" = yes ]; return; fi
  local dir status
  mkdir -p "$KZ_STATE"
  dir=$(mktemp -d "$KZ_STATE/i386-probe.XXXXXX")
  printf '%s\n' '.section .note.GNU-stack,"",@progbits' '.text' '.globl _start' '_start:' \
    '  movl $1, %eax' '  movl $42, %ebx' '  int $0x80' >"$dir/exit42.s"
  if ! as --32 -o "$dir/exit42.o" "$dir/exit42.s" 2>"$dir/err" ||
    ! ld -m elf_i386 -o "$dir/exit42" "$dir/exit42.o" 2>>"$dir/err"; then
    KZ_I386_REASON="the i386 test program could not be built ($(head -1 "$dir/err"))"
    KZ_I386_RUNS=no
  else
    status=0
    ("$dir/exit42") 2>"$dir/err" || status=$?
    if [ "$status" = 42 ]; then
      KZ_I386_RUNS=yes
      KZ_I386_HOW=natively
      # A binfmt_misc entry comes before the kernel's own ELF loader.
      if grep -qsx enabled "$KZ_BINFMT/qemu-i386"; then KZ_I386_HOW="under emulation"; fi
    else
      KZ_I386_RUNS=no
      KZ_I386_REASON="a static i386 program ended with status $status instead of 42"
      if [ -s "$dir/err" ]; then
        KZ_I386_REASON="a static i386 program did not start: $(sed 's/.*exit42: //' "$dir/err" |
          head -1)"
      fi
    fi
  fi
  rm -rf "$dir"
  [ "$KZ_I386_RUNS" = yes ]
}
kz_i386_probe_again() { unset KZ_I386_RUNS KZ_I386_HOW KZ_I386_REASON; }
kz_i386_emulated() { kz_i386_runs && [ "$KZ_I386_HOW" != natively ]; }

# Where scripts/setup noted why the 32-bit Wine could not be installed (absent when it could).
KZ_WINE32_FAILURE=$KZ_STATE/wine32-install-failed
