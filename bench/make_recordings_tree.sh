#!/usr/bin/env bash
# Writes a tree of real-sized MP3 files for the comparison of recordings, made by copies of five
# encoded recordings, and prints what it wrote, one file a line:
#   PATH <TAB> CONTENT <TAB> WHOLE
# Files of one CONTENT are byte for byte the same; WHOLE is 1 for a file the comparison must read
# whole: it shares its name, its audio length and the blocks at both ends with another file.
#   bench/make_recordings_tree.sh ROOT NAMES R0.mp3 R1.mp3 R2.mp3 R3.mp3 R4.mp3
# R0 to R2 hold audio of one length, R3 and R4 of two others. Each name's files lie in folders of
# their own among 50 albums, and the names take five kinds in turn:
#   identical copies  three byte-identical copies of one recording       (all three read whole)
#   tag copies        one recording plain, behind an ID3v2 tag of a few hundred bytes and before
#                     an ID3v1 tag, each tag of its own                   (all three)
#   other audio       two recordings of the same length                   (their ends alone)
#   mixed             a recording, its copy with an ID3v1 tag, another recording of its length
#                                                                         (the first two)
#   other lengths     two recordings of different lengths                 (their tags alone)
set -euo pipefail
root=${1:?root folder}
names=${2:?number of names}
shift 2
[ $# -eq 5 ] || { echo "make_recordings_tree: five recordings, not $#" >&2; exit 2; }
recording=("$@")

# An ID3v2.4 tag of 300 bytes whose title is $1 (under 100 bytes).
id3v2() {
  local size=$((${#1} + 1))
  printf 'ID3\x04\x00\x00\x00\x00\x02\x2c''TIT2\x00\x00\x00'"\\x$(printf %02x "$size")"'\x00\x00\x03%s' "$1"
  head -c $((300 - 10 - size)) /dev/zero
}
# An ID3v1 tag (128 bytes) whose title is $1.
id3v1() { printf 'TAG%-30.30s%-30.30s%-30.30s%-4.4s%-30.30s\xff' "$1" Klangzwilling bench 2026 ""; }

# write FILE RECORDING TAG WHOLE: the FILE-th file (0, 1, 2) of the name $i, TAG none, v2 or v1.
write() {
  local index=$1 source=${recording[$2]} tag=$3 whole=$4 folder path
  folder=$(printf '%s/album %02d' "$root" $(((i + 7 * index) % 50)))
  path="$folder/$name"
  mkdir -p "$folder"
  case "$tag" in
    none) cp "$source" "$path" ;;
    v2) { id3v2 "$name $index"; cat "$source"; } >"$path" ;;
    v1) { cat "$source"; id3v1 "$name $index"; } >"$path" ;;
  esac
  # A tag of its own makes the bytes those of this file alone.
  printf '%s\t%s\t%s\n' "$path" "$([ "$tag" = none ] && echo "R$2" || echo "$path")" "$whole"
}

for ((i = 0; i < names; i++)); do
  name=$(printf 'song %04d.mp3' "$i")
  same=$((i % 3))
  case $((i % 5)) in
    0) for f in 0 1 2; do write "$f" "$same" none 1; done ;;
    1) write 0 "$same" none 1; write 1 "$same" v2 1; write 2 "$same" v1 1 ;;
    2) write 0 "$same" none 0; write 1 $(((i + 1) % 3)) none 0 ;;
    3) write 0 "$same" none 1; write 1 "$same" v1 1; write 2 $(((i + 1) % 3)) none 0 ;;
    4) write 0 3 none 0; write 1 4 none 0 ;;
  esac
done
