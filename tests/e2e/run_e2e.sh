#!/usr/bin/env bash
# Runs the end-to-end scenarios against the real klangzwilling.exe under Wine and Xvfb.
#   tests/e2e/run_e2e.sh BUILD_DIR [SCENARIO...]
# Screenshots land in BUILD_DIR/e2e-artifacts as PNG files. Scenarios named *-dpi run after the
# others in a copy of the Wine prefix whose screen has 144 dpi (150 %). KZ_E2E_PATIENCE=N
# stretches the driver's waits N times (for a program under emulation).
set -uo pipefail
source "$(dirname "$0")/../../scripts/env.sh"
build=${1:?build directory}
shift
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(startup)

artifacts="$build/e2e-artifacts"

# Files the scenarios copy into trees of their own: real encoder output, and a large tree of
# namesakes made here because the Linux side creates files far faster than Wine does.
prepare_fixtures() {
  local root=$1
  mkdir -p "$root/_media"
  head -c $((44100 * 2 * 5)) /dev/urandom > "$root/_media/noise.raw"
  lame --quiet -r -s 44.1 --bitwidth 16 --signed -m m -b 128 "$root/_media/noise.raw" \
    "$root/_media/tone5.mp3" 2>/dev/null
  head -c $((44100 * 2 * 2)) /dev/urandom > "$root/_media/noise.raw"
  lame --quiet -r -s 44.1 --bitwidth 16 --signed -m m -b 128 "$root/_media/noise.raw" \
    "$root/_media/tone2.mp3" 2>/dev/null
  # Another recording of tone2's length: the same number of frames, other audio.
  head -c $((44100 * 2 * 2)) /dev/urandom > "$root/_media/noise.raw"
  lame --quiet -r -s 44.1 --bitwidth 16 --signed -m m -b 128 "$root/_media/noise.raw" \
    "$root/_media/other2.mp3" 2>/dev/null
  rm -f "$root/_media/noise.raw"
  local folder file
  for folder in $(seq -w 0 1999); do
    mkdir -p "$root/big/f$folder"
    for file in 0 1 2 3 4 5 6 7 8 9; do
      : > "$root/big/f$folder/track$((10#$folder % 50))-$file.mp3"
    done
  done
  # A copy of its own for ticks-by-input, which counts the files of each name: the other
  # scenarios delete some in big.
  cp -r "$root/big" "$root/viele"
  # Long removals: 5,000 and 3,000 names, each once below keep\ and once, smaller, below drop\.
  "$KZ_ROOT/bench/make_removal_tree.sh" "$root/lang" 5000
  "$KZ_ROOT/bench/make_removal_tree.sh" "$root/lang-halb" 3000
}
# Trees a Windows program cannot make: Unix links, hard links, names with a line feed or a
# backslash, a folder "d.", an immutable file.
prepare_hostile() {
  local root=$1 tone=$1/_media/tone2.mp3 other=$1/_media/tone5.mp3
  mkdir -p "$root/h-loop/a"
  cp "$tone" "$root/h-loop/a/s.mp3"
  ln -s ../a "$root/h-loop/a/self"
  ln -s a "$root/h-loop/alias"
  mkdir -p "$root/h-links/a" "$root/h-links/b" "$root/h-links/c"
  cp "$tone" "$root/h-links/a/song.mp3"
  ln -s ../a/song.mp3 "$root/h-links/b/song.mp3"
  ln "$root/h-links/a/song.mp3" "$root/h-links/c/song.mp3"
  mkdir -p "$root/h-outside" "$root/h-linkrow/a" "$root/h-linkrow/b"
  cp "$other" "$root/h-outside/only.mp3"
  ln -s ../../h-outside/only.mp3 "$root/h-linkrow/a/only.mp3"
  cp "$tone" "$root/h-linkrow/b/only.mp3"
  mkdir -p "$root/h-names/a" "$root/h-names/b"
  local folder
  for folder in a b; do
    cp "$tone" "$root/h-names/$folder/x"$'\n'"y.mp3"
    cp "$tone" "$root/h-names/$folder/victim.mp3"
  done
  mkdir -p "$root/h-dots/d." "$root/h-dots/d"
  cp "$tone" "$root/h-dots/d./y.mp3"
  cp "$other" "$root/h-dots/d/y.mp3"
  mkdir -p "$root/h-bs/a/bs" "$root/h-bs/b"
  cp "$tone" "$root/h-bs/a/bs\\victim.mp3"
  cp "$tone" "$root/h-bs/b/bs\\victim.mp3"
  cp "$other" "$root/h-bs/a/bs/victim.mp3"
  mkdir -p "$root/h-immutable/a" "$root/h-immutable/b"
  cp "$tone" "$root/h-immutable/a/fest.mp3"
  cp "$tone" "$root/h-immutable/b/fest.mp3"
  chattr +i "$root/h-immutable/a/fest.mp3" ||
    echo "e2e: chattr +i failed; the immutable-file check cannot hold" >&2
  mkdir -p "$root/h-case/a" "$root/h-case/b"
  cp "$tone" "$root/h-case/a/Song.mp3"
  cp "$tone" "$root/h-case/b/Song.mp3"
  printf 'another song' > "$root/h-case/a/song.mp3"
  # Names that Windows path rules take for devices, with other sizes in b than in a.
  mkdir -p "$root/h-devices/a" "$root/h-devices/b"
  local name
  for name in con nul aux com1 lpt1; do
    cp "$tone" "$root/h-devices/a/$name.mp3"
    cp "$other" "$root/h-devices/b/$name.mp3"
  done
  prepare_mounts "$root/h-mounts" "$tone"
  prepare_bind "$root/h-bind" "$tone"
}
# Three tmpfs mounts inside one folder, whose roots all have the inode number 1, and a bind
# mount of a folder beside them (the same folder seen twice: its file is its own namesake by
# path). Mounting needs root; elsewhere the scenario says it was skipped (no mounted.txt).
prepare_mounts() {
  local root=$1 tone=$2 mount
  mkdir -p "$root/m1" "$root/m2" "$root/m3" "$root/plain" "$root/bind/a" "$root/bind/b"
  for mount in m1 m2 m3; do
    if ! mount -t tmpfs -o size=4m kz-e2e "$root/$mount" 2>/dev/null; then
      echo "e2e: mounting a tmpfs was refused; the mounts scenario is skipped" >&2
      unmount_all "$root"
      return 0
    fi
  done
  mkdir -p "$root/m1/sub" "$root/m2/sub" "$root/m3/deep/er"
  cp "$tone" "$root/m1/sub/mnt.mp3"
  cp "$tone" "$root/m2/sub/mnt.mp3"
  cp "$tone" "$root/m3/deep/er/one.mp3"
  cp "$tone" "$root/plain/one.mp3"
  cp "$tone" "$root/bind/a/bm.mp3"
  mount --bind "$root/bind/a" "$root/bind/b" 2>/dev/null || {
    unmount_all "$root"
    return 0
  }
  : >"$root/mounted.txt"
}
# The only copy of a song and a bind mount of its folder beside it.
prepare_bind() {
  local root=$1 tone=$2
  mkdir -p "$root/a" "$root/b"
  cp "$tone" "$root/a/bm.mp3"
  mount --bind "$root/a" "$root/b" 2>/dev/null && : >"$root/mounted.txt"
  return 0
}
# Wine's Recycle Bin is the trash below $XDG_DATA_HOME: a folder of the work tree for the whole
# run, and a tmpfs beside it, which no rename from the tree can reach (where mounting is allowed).
prepare_recycle() {
  mkdir -p "$1/xdg" "$1/xdg-fremd"
  mount -t tmpfs -o size=1m kz-e2e "$1/xdg-fremd" 2>/dev/null && : >"$1/xdg-fremd/mounted.txt"
  return 0
}
unmount_all() {
  local mount
  for mount in "$1"/m* "$1"/bind/b "$1"/b; do
    mountpoint -q "$mount" 2>/dev/null && umount "$mount"
  done
  return 0
}
if [ -z "${KZ_E2E_INSIDE:-}" ]; then
  rm -rf "$artifacts"
  mkdir -p "$artifacts"
  status=0
  if [ -n "${DISPLAY:-}" ]; then
    KZ_E2E_INSIDE=1 "$0" "$build" "${scenarios[@]}" || status=$?
  else
    KZ_E2E_INSIDE=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "${scenarios[@]}" ||
      status=$?
  fi
  wineserver -w 2>/dev/null || true
  for shot in "$artifacts"/*.bmp; do
    [ -e "$shot" ] || continue
    convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
  done
  exit $status
fi

# Inside the display: one mapped drive, one driver run, then one in the raised-DPI prefix.
plain=()
raised=()
for scenario in "${scenarios[@]}"; do
  if [[ "$scenario" == *-dpi ]]; then raised+=("$scenario"); else plain+=("$scenario"); fi
done
# run_raised_dpi: the *-dpi scenarios in a copy of the prefix, made anew each run (a second or
# two) so that it always matches the prefix that setup prepared, with LogPixels at 144.
run_raised_dpi() {
  [ ${#raised[@]} -gt 0 ] || return 0
  wineserver -w 2>/dev/null || true
  local prefix=$WINEPREFIX-dpi144 status=0
  rm -rf "$prefix"
  cp -a "$WINEPREFIX" "$prefix"
  rm -f "$prefix/dosdevices/m:"
  WINEPREFIX=$prefix wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d 144 /f >/dev/null 2>&1
  WINEPREFIX=$prefix wine "$build/kz_e2e_driver.exe" \
    --exe "$(WINEPREFIX=$prefix winepath -w "$build/klangzwilling.exe")" \
    --shots "$(WINEPREFIX=$prefix winepath -w "$artifacts")" "${raised[@]}" || status=$?
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  rm -rf "$prefix"
  return $status
}
if [ ${#plain[@]} -eq 0 ]; then
  run_raised_dpi
  exit
fi
work=$(mktemp -d /tmp/kz-e2e.XXXXXX)
trap 'chattr -i "$work/h-immutable/a/fest.mp3" 2>/dev/null; wineserver -k 2>/dev/null
  unmount_all "$work/h-mounts"; unmount_all "$work/h-bind"; umount "$work/xdg-fremd" 2>/dev/null
  rm -rf "$work"; rm -f "$WINEPREFIX/dosdevices/m:"' EXIT
# The prepared music trees appear as drive M: in the folder tree.
ln -sfn "$work" "$WINEPREFIX/dosdevices/m:"
prepare_fixtures "$work"
prepare_hostile "$work"
prepare_recycle "$work"
export XDG_DATA_HOME=$work/xdg
status=0
wine "$build/kz_e2e_driver.exe" --exe "$(winepath -w "$build/klangzwilling.exe")" \
  --shots "$(winepath -w "$artifacts")" --work "$(winepath -w "$work")" --drive M: \
  --patience "${KZ_E2E_PATIENCE:-1}" "${plain[@]}" || status=$?
run_raised_dpi || status=$?
exit $status
