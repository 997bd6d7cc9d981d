#!/usr/bin/env bash
# Builds the fuzz targets with Debian's clang (libFuzzer, ASan, UBSan): the MP3 header scan and
# the audio's bounds and hash. Each replays the committed corpus (MP3 files, which both read),
# then fuzzes for the given number of seconds (default 20; 0 only replays). New inputs go to
# build/fuzz/corpus/TARGET, never into the committed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
out=$root/build/fuzz
seeds=$root/fuzz/corpus/mp3_scan
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
  -Wall -Wextra -Werror -Wshadow -I"$root")

fuzz() {  # target, product sources...
  local target=$1 source sources=()
  shift
  for source in "$@"; do sources+=("$root/mp3/$source"); done
  mkdir -p "$out/corpus/$target"
  clang++ "${flags[@]}" "$root/fuzz/${target}_fuzzer.cpp" "${sources[@]}" -o "$out/${target}_fuzzer"
  local inputs=("$seeds"/*)
  echo "run_fuzzer: $target: replaying ${#inputs[@]} corpus files"
  "$out/${target}_fuzzer" -runs=0 "$seeds"
  if [ "$seconds" -gt 0 ]; then
    echo "run_fuzzer: $target: fuzzing for $seconds s"
    # Crash files land in build/fuzz.
    (cd "$out" && "$out/${target}_fuzzer" -max_total_time="$seconds" -max_len=65536 \
      -print_final_stats=1 "$out/corpus/$target" "$seeds")
  fi
}

fuzz mp3_scan mp3_scan.cpp mp3_tags.cpp information_frame.cpp
fuzz audio_range audio_bounds.cpp audio_digest.cpp mp3_tags.cpp information_frame.cpp
