#!/usr/bin/env bash
# Writes a synthetic music tree for the scan benchmarks.
#   bench/make_tree.sh ROOT TOPS FILES_PER_FOLDER [paired] [AUDIO.mp3 ...]
# ROOT gets TOPS top folders with 99 subfolders each (TOPS * 100 folders in all), and every
# folder FILES_PER_FOLDER files: two of every three are MP3 files (extension in three letter
# cases), the rest a cover, notes or a playlist. Names are unique, except "Intro <top>.mp3" in
# each top folder and its first subfolder, so each top folder gives two namesake rows and the
# timings stay about the scan rather than the result list. With "paired", every odd subfolder
# repeats the names of the subfolder before it, so nearly every file has a namesake and the
# result list gets as long as a badly kept library's.
# Files are empty, but for the MP3 files when AUDIO files are given: each holds the bytes of one
# of them, the i-th file of a folder the (i mod n)-th, so the namesakes of paired folders are
# copies of one recording; every fifth name of an odd subfolder takes the next one instead, a
# namesake of other audio.
set -euo pipefail
root=${1:?root folder}
tops=${2:?number of top folders}
files=${3:?files per folder}
shift 3
paired=0
if [ "${1:-}" = paired ]; then
  paired=1
  shift
fi
audio=("$@")
mkdir -p "$root"

# One path a line: the folders first (for mkdir), then the files, each after the number of its
# audio (-1: empty) and a TAB.
paths() {
  awk -v root="$root" -v tops="$tops" -v files="$files" -v paired="$paired" -v want="$1" \
    -v sources="${#audio[@]}" 'BEGIN {
    split(".mp3 .MP3 .Mp3", mp3, " ")
    split(".jpg .txt .m3u", other, " ")
    for (top = 0; top < tops; top++) {
      for (child = -1; child < 99; child++) {
        base = child < 0 ? "a" top : "a" top "b" child
        folder = child < 0 ? root "/" base : root "/a" top "/" base
        if (want == "folders") { print folder; continue }
        repeats = paired && child > 0 && child % 2 == 1
        if (repeats) base = "a" top "b" (child - 1)
        for (i = 0; i < files; i++) {
          source = sources > 0 ? (i + (repeats && i % 5 == 4)) % sources : -1
          if (i == 0 && child <= 0) name = "Intro " top ".mp3"
          else if (i % 3 == 2) { name = base " extra " i other[int(i / 3) % 3 + 1]; source = -1 }
          else name = base " track " i mp3[int(i / 3) % 3 + 1]
          print source "\t" folder "/" name
        }
      }
    }
  }'
}
paths folders | xargs -d '\n' mkdir -p
list=$(mktemp)
trap 'rm -f "$list"' EXIT
paths files >"$list"
sed -n 's/^-1\t//p' "$list" | xargs -d '\n' touch
for ((source = 0; source < ${#audio[@]}; source++)); do
  # tee writes its input into a few hundred files at a time, a process per batch, not per file.
  sed -n "s/^$source\t//p" "$list" |
    xargs -d '\n' -n 256 sh -c 'tee -- "$@" <"$0" >/dev/null' "${audio[source]}"
done
