#!/usr/bin/env bash
# Remakes the seed corpus of the MP3 header scan fuzzer: short files from Debian's lame at
# MPEG-1, MPEG-2 and MPEG-2.5 rates, constant and varying, with ID3v2 (and a cover) and ID3v1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/fuzz/corpus/mp3_scan
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$dir"
{ printf '\x89PNG\r\n\x1a\n'; head -c 3000 /dev/urandom; } >"$work/cover.png"

little_endian() {  # value, byte count
  local i
  for ((i = 0; i < $2; i++)); do printf "\\x$(printf %02x $((($1 >> (8 * i)) & 255)))"; done
}

encode() {  # name, sample rate in Hz, milliseconds of mono noise, lame options...
  local name=$1 rate=$2 ms=$3
  shift 3
  local data=$((rate * ms / 1000 * 2))
  {
    printf 'RIFF'; little_endian $((36 + data)) 4; printf 'WAVEfmt '
    little_endian 16 4; little_endian 1 2; little_endian 1 2; little_endian "$rate" 4
    little_endian $((rate * 2)) 4; little_endian 2 2; little_endian 16 2
    printf 'data'; little_endian "$data" 4
    head -c "$data" /dev/urandom
  } >"$work/in.wav"
  lame --quiet "$@" "$work/in.wav" "$dir/$name.mp3"
}
encode mpeg1_cbr_44100 44100 300 -b 64
encode mpeg1_vbr_48000 48000 300 -V 6
encode mpeg2_cbr_22050 22050 400 -b 32
encode mpeg2_vbr_16000 16000 400 -V 7
encode mpeg25_cbr_8000 8000 800 -b 8
encode mpeg25_vbr_11025 11025 600 -V 8
encode id3v2_cover 22050 300 -b 32 --tt Title --ta Artist --ti "$work/cover.png"
encode id3v1 32000 300 -b 48 --tt Title --id3v1-only
du -cb "$dir"/* | tail -1
