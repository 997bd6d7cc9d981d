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
# The kept copy holds two bytes, the dropped one one: both show as 1 KB.
awk -v root="$root" -v names="$names" -v per="$per_folder" 'BEGIN {
  for (i = 0; i < names; i++) {
    printf "%s/keep/k%05d/song %06d.mp3\t2\n", root, int(i / per), i
    printf "%s/drop/d%05d/song %06d.mp3\t1\n", root, int(i / per), i
  }
}' | while IFS=$'\t' read -r path bytes; do
  if [ "$bytes" = 2 ]; then printf 'kk' >"$path"; else printf 'd' >"$path"; fi
done
