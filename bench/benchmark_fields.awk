# Flattens Google Benchmark's JSON output (one key a line, as --benchmark_format=json writes it)
# into "benchmark name<TAB>key<TAB>value" lines, one per field of each benchmark, so the bench
# script can look figures up with grep and cut without a JSON tool.
/"benchmarks": \[/ { inside = 1; next }
!inside { next }
match($0, /^ *"[^"]+": /) {
  key = substr($0, RSTART, RLENGTH)
  gsub(/^ *"|": $/, "", key)
  value = substr($0, RSTART + RLENGTH)
  sub(/,$/, "", value)
  gsub(/^"|"$/, "", value)
  if (key == "name") name = value
  else print name "\t" key "\t" value
}
