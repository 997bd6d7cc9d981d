#!/usr/bin/env bash
# Checks the release zips in DIST against their README: each zip the README names exists,
# holds exactly the files the README lists for it (in one folder named like the zip), and its
# README is the one that says so; SHA256SUMS matches the zips; the programs are what they say.
#   tests/package/check_zips.sh DIST VERSION
set -euo pipefail
dist=${1:?dist folder}
version=${2:?version}
failures=0
fail() { echo "check_zips: $*" >&2; failures=$((failures + 1)); }

for zip in "klangzwilling-$version-win32" "klangzwilling-$version-win64" \
  "klangzwilling-cli-$version-linux-x86_64"; do
  [ -f "$dist/$zip.zip" ] || { fail "$zip.zip is missing"; continue; }
  readme=$(unzip -p "$dist/$zip.zip" "$zip/README.txt") || { fail "$zip has no README.txt"; continue; }
  # The README's list for this zip: the indented lines after the paragraph naming it.
  listed=$(awk -v zip="$zip.zip" '
    index($0, zip) && !/^ / { inside = 1; next }
    inside && /^    [^ ]/ { print $1; seen = 1; next }
    inside && /^$/ && seen { exit }
' <<<"$readme" | sort)
  [ -n "$listed" ] || fail "the README in $zip names no files for it"
  held=$(unzip -Z1 "$dist/$zip.zip" | grep -v '/$' | sed "s|^$zip/||" | sort)
  outside=$(unzip -Z1 "$dist/$zip.zip" | grep -v "^$zip/" || true)
  [ -z "$outside" ] || fail "$zip holds files outside its folder: $outside"
  [ "$held" = "$listed" ] || fail "$zip holds [$(echo $held)], its README lists [$(echo $listed)]"
  if grep -qE '@(VERSION|GLIBC)@' <<<"$readme"; then fail "$zip: README placeholders unfilled"; fi
  grep -q "^Klangzwilling $version" <<<"$readme" || fail "the README in $zip names another version"
done

if [ -f "$dist/SHA256SUMS" ]; then
  (cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the zips"
else
  fail "SHA256SUMS is missing"
fi

# The Linux program in its zip: runs, has the version, needs at most the glibc its README names.
zip="klangzwilling-cli-$version-linux-x86_64"
if [ -f "$dist/$zip.zip" ]; then
  work=$(mktemp -d)
  unzip -q "$dist/$zip.zip" -d "$work"
  [ "$("$work/$zip/klangzwilling-cli" --version)" = "klangzwilling-cli $version" ] ||
    fail "$zip/klangzwilling-cli --version does not say $version"
  needed=$(objdump -T "$work/$zip/klangzwilling-cli" | grep -o 'GLIBC_[0-9.]*' | sed 's/GLIBC_//' |
    sort -uV | tail -1)
  grep -q "glibc $needed or newer" "$work/$zip/README.txt" ||
    fail "$zip needs glibc $needed, its README says otherwise"
  rm -rf "$work"
fi

if [ "$failures" -ne 0 ]; then
  echo "check_zips: $failures problem(s)" >&2
  exit 1
fi
echo "check_zips: the zips hold what their README says"
