// The one entry point of kz_bench; each bench/*.cpp registers its own benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
