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

# Small inputs for the tag search at the end and the information frame: a few frames, then tags.
frames() {  # count: MPEG-1 frames of 128 kbit/s, 417 bytes, without other 0xFF bytes
  local i
  for ((i = 0; i < $1; i++)); do printf '\xff\xfb\x90\x44'; head -c 413 /dev/zero; done
}
lookalikes() { for ((i = 0; i < $1; i++)); do printf '\xff\xfb\xb0\x00'; done; }
ape() {  # item bytes, flags of the footer
  printf 'APETAGEX'; little_endian 2000 4; little_endian $(($1 + 32)) 4; little_endian 1 4
  little_endian "$2" 4; little_endian 0 8
}
{ frames 3; printf 'TAG'; lookalikes 31; printf '\x00'; } >"$dir/tag_id3v1"
{ frames 3; printf 'TAG+'; lookalikes 55; printf '\x00\x00\x00TAG'; lookalikes 31; printf '\x00'; } \
  >"$dir/tag_id3v1_extended"
{ frames 3; ape 400 $((0xA0000000)); lookalikes 100; ape 400 $((0x80000000)); } >"$dir/tag_ape"
{ frames 3; printf 'LYRICSBEGINLYR00008'; lookalikes 2; printf '000027LYRICS200'; } >"$dir/tag_lyrics3"
{ frames 3; lookalikes 25; printf 'APETAGEX'; little_endian 1000 4; little_endian 132 4
  little_endian 1 4; little_endian 0 12; } >"$dir/tag_apev1"
{ frames 3; printf 'LYRICSBEGIN'; lookalikes 20; printf 'LYRICSEND'; printf 'TAG'; lookalikes 31
  printf '\x00'; } >"$dir/tag_lyrics3v1"
{ frames 3; printf 'ID3\x04\x00\x10\x00\x00\x01\x00'; lookalikes 32
  printf '3DI\x04\x00\x10\x00\x00\x01\x00'; } >"$dir/tag_id3v2_footer"
{ printf '\xff\xfb\x50\x44'; head -c 32 /dev/zero; printf 'Xing'; head -c 168 /dev/zero
  frames 4; } >"$dir/information_xing"
{ printf '\xff\xfb\x50\xc4'; head -c 32 /dev/zero; printf 'VBRI'; head -c 168 /dev/zero
  frames 4; } >"$dir/information_vbri"
du -cb "$dir"/* | tail -1
