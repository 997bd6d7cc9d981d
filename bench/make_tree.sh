#!/usr/bin/env bash
# Writes a synthetic music tree for the scan benchmarks.
#   bench/make_tree.sh ROOT TOPS FILES_PER_FOLDER [paired]
# ROOT gets TOPS top folders with 99 subfolders each (TOPS * 100 folders in all), and every
# folder FILES_PER_FOLDER empty files: two of every three are MP3 files (extension in three letter
# cases), the rest a cover, notes or a playlist. Names are unique, except "Intro <top>.mp3" in
# each top folder and its first subfolder, so each top folder gives two namesake rows and the
# timings stay about the scan rather than the result list. With "paired", every odd subfolder
# repeats the names of the subfolder before it, so nearly every file has a namesake and the
# result list gets as long as a badly kept library's.
set -euo pipefail
root=${1:?root folder}
tops=${2:?number of top folders}
files=${3:?files per folder}
paired=$([ "${4:-}" = paired ] && echo 1 || echo 0)
mkdir -p "$root"

# One path a line: the folders first (for mkdir), then the files (for touch).
paths() {
  awk -v root="$root" -v tops="$tops" -v files="$files" -v paired="$paired" -v want="$1" 'BEGIN {
    split(".mp3 .MP3 .Mp3", mp3, " ")
    split(".jpg .txt .m3u", other, " ")
    for (top = 0; top < tops; top++) {
      for (child = -1; child < 99; child++) {
        base = child < 0 ? "a" top : "a" top "b" child
        folder = child < 0 ? root "/" base : root "/a" top "/" base
        if (want == "folders") { print folder; continue }
        if (paired && child > 0 && child % 2 == 1) base = "a" top "b" (child - 1)
        for (i = 0; i < files; i++) {
          if (i == 0 && child <= 0) name = "Intro " top ".mp3"
          else if (i % 3 == 2) name = base " extra " i other[int(i / 3) % 3 + 1]
          else name = base " track " i mp3[int(i / 3) % 3 + 1]
          print folder "/" name
        }
      }
    }
  }'
}
paths folders | xargs -d '\n' mkdir -p
paths files | xargs -d '\n' touch
