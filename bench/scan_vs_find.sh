#!/usr/bin/env bash
# Times the native CLI scan against find on the same warm tree of 200,000 entries in 20,000
# folders (200 top folders with 99 subfolders each; 9 files in every folder, 6 of them MP3 files
# with names that recur across folders).
#   bench/scan_vs_find.sh [path/to/klangzwilling-cli] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/native-release/klangzwilling-cli}
runs=${2:-5}
[ -x "$cli" ] || { echo "scan_vs_find: build $cli first (cmake --preset native-release)" >&2; exit 2; }

tree=$(mktemp -d "${TMPDIR:-/tmp}/kz-scan-bench-XXXXXX")
trap 'rm -rf "$tree"' EXIT

names=(track_01.mp3 track_02.mp3 Track_03.MP3 intro.mp3 "Song $((RANDOM % 50)).mp3" outro.Mp3
       cover.jpg notes.txt list.m3u)
for ((top = 0; top < 200; top++)); do
  printf '%s\n' "$tree/t$top"
  for ((sub = 0; sub < 99; sub++)); do printf '%s\n' "$tree/t$top/s$sub"; done
done | xargs -d '\n' mkdir -p
for ((top = 0; top < 200; top++)); do
  for folder in "$tree/t$top" "$tree/t$top"/s*; do
    for ((i = 0; i < 9; i++)); do
      name=${names[i]}
      [ "$i" -eq 4 ] && name="Song $(((top * 7 + ${#folder}) % 50)).mp3"
      printf '%s\n' "$folder/$name"
    done
  done
done | xargs -d '\n' touch
entries=$(find "$tree" -mindepth 1 | wc -l)
folders=$(find "$tree" -mindepth 1 -type d | wc -l)
echo "tree: $entries entries, $folders folders"

# Best of `runs` wall-clock times in ms, after one warm-up run.
best_ms() {
  "$@" >/dev/null 2>&1
  local best=
  for ((run = 0; run < runs; run++)); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    local ms=$(((end - start) / 1000000))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

scan=$(best_ms "$cli" scan "$tree")
findms=$(best_ms find "$tree" -iname '*.mp3' -printf '%s\n')
rows=$("$cli" scan "$tree" 2>/dev/null | wc -l)
echo "klangzwilling-cli scan: ${scan} ms ($rows rows)"
echo "find -iname '*.mp3' -printf '%s\\n': ${findms} ms"
awk -v a="$scan" -v b="$findms" 'BEGIN { printf "ratio scan/find: %.2f (target <= 1.50)\n", a / b }'
