#!/usr/bin/env bash
# Builds the MP3 header scan fuzzer with Debian's clang (libFuzzer, ASan, UBSan), replays the
# committed corpus, then fuzzes for the given number of seconds (default 20; 0 only replays).
# New inputs go to build/fuzz/corpus, never into the committed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
out=$root/build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Wall -Wextra -Werror -Wshadow -I"$root" \
  "$root/fuzz/mp3_scan_fuzzer.cpp" "$root/mp3/mp3_scan.cpp" "$root/mp3/mp3_tags.cpp" \
  "$root/mp3/information_frame.cpp" -o "$out/mp3_scan_fuzzer"

seeds=("$root"/fuzz/corpus/mp3_scan/*)
echo "run_fuzzer: replaying ${#seeds[@]} corpus files"
"$out/mp3_scan_fuzzer" -runs=0 "$root/fuzz/corpus/mp3_scan"
if [ "$seconds" -gt 0 ]; then
  echo "run_fuzzer: fuzzing for $seconds s"
  cd "$out"  # crash files land here
  "$out/mp3_scan_fuzzer" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
    "$out/corpus" "$root/fuzz/corpus/mp3_scan"
fi
