#!/usr/bin/env bash
# Writes a tree for the removal benchmarks and the long removal's end-to-end scenario.
#   bench/make_removal_tree.sh ROOT NAMES [FILES_PER_FOLDER]
# Every one of NAMES names occurs twice: a larger copy below ROOT/keep/ and a smaller one below
# ROOT/drop/, FILES_PER_FOLDER (default 50) files a folder, as albums hold them. Ticking all but
# the largest file of each name ticks exactly the files below ROOT/drop/.
set -euo pipefail
root=${1:?root folder}
names=${2:?number of names}
per_folder=${3:-50}
mkdir -p "$root"
awk -v root="$root" -v names="$names" -v per="$per_folder" -v want=folders 'BEGIN {
  for (i = 0; i < names; i += per) printf "%s/keep/k%05d\n%s/drop/d%05d\n", root, i / per, root, i / per
}' | xargs -d '\n' mkdir -p
# Every file is the same recording: three MPEG-1 Layer III frames (128 kbit/s, 44.1 kHz, 417
# bytes each). The kept copy carries an ID3v1 tag besides, so it is the larger; both show as
# 2 KB. (No NUL byte in them, so that the shell's own printf writes them without a process.)
frame=$(printf '\xff\xfb\x90\x44')$(printf 'U%.0s' $(seq 413))
audio=$frame$frame$frame
kept=$audio$(printf 'TAG%125s' '')
awk -v root="$root" -v names="$names" -v per="$per_folder" 'BEGIN {
  for (i = 0; i < names; i++) {
    printf "%s/keep/k%05d/song %06d.mp3\tk\n", root, int(i / per), i
    printf "%s/drop/d%05d/song %06d.mp3\td\n", root, int(i / per), i
  }
}' | while IFS=$'\t' read -r path kind; do
  if [ "$kind" = k ]; then printf '%s' "$kept" >"$path"; else printf '%s' "$audio" >"$path"; fi
done
