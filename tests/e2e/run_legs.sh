#!/usr/bin/env bash
# Runs the end-to-end suite against both programs, each under its own Wine and Wine prefix:
#   the x86_64 program (build/win64) under the 64-bit Wine, and
#   the i686 program (build/win32) under the 32-bit Wine, driven by the i686 build of the driver:
#   the driver reads list views in the program's memory, whose structures have its word size.
#   tests/e2e/run_legs.sh [SCENARIO...]     (default: every scenario of tests/e2e/scenarios.txt)
# Where i386 programs run only under qemu's emulation, the 32-bit Wine runs many times slower
# and no process can read the emulated program's memory: the i686 leg then runs the scenarios
# of tests/e2e/scenarios-emulated.txt, which do without it, with the driver's waits stretched.
# Expects both Windows builds and ./scripts/setup. Fails when a leg fails, and when the i686 leg
# cannot run although i386 programs run here; where they do not, or the 32-bit Wine could not be
# installed (scripts/setup says why), the i686 leg is skipped with a banner at the end.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/env.sh

scenarios=("$@")
emulated_scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || mapfile -t scenarios <tests/e2e/scenarios.txt
[ ${#emulated_scenarios[@]} -gt 0 ] || mapfile -t emulated_scenarios <tests/e2e/scenarios-emulated.txt
status=0
results=()

# run_leg BITS BUILD_DIR NAME SCENARIO...
run_leg() {
  local bits=$1 build=$2 name=$3 started=$SECONDS
  shift 3
  printf '\n== end-to-end tests, %s: %s under the %s-bit Wine\n' "$name" \
    "$build/klangzwilling.exe" "$bits"
  if KZ_WINE_BITS=$bits tests/e2e/run_e2e.sh "$build" "$@"; then
    results+=("passed   $name ($((SECONDS - started)) s)")
  else
    results+=("FAILED   $name ($((SECONDS - started)) s)")
    status=1
  fi
  echo "Screenshots: $build/e2e-artifacts"
}

# fail_leg NAME REASON...: a leg that should run and cannot.
fail_leg() {
  local name=$1
  shift
  printf '\n== end-to-end tests, %s\nFAIL: %s\n' "$name" "$*"
  results+=("FAILED   $name: $*")
  status=1
}

run_leg 64 build/win64 "x86_64 program" "${scenarios[@]}"

skipped=""
if ! kz_i386_runs; then
  skipped="i386 programs do not run here: $KZ_I386_REASON"
  printf '\n== end-to-end tests, i686 program: SKIPPED, i386 programs do not run here\n'
  results+=("SKIPPED  i686 program: i386 programs do not run here")
elif [ -f "$KZ_WINE32_FAILURE" ]; then
  skipped="the 32-bit Wine could not be installed: $(tr '\n' ' ' <"$KZ_WINE32_FAILURE")"
  printf '\n== end-to-end tests, i686 program: SKIPPED, the 32-bit Wine could not be installed\n'
  results+=("SKIPPED  i686 program: the 32-bit Wine could not be installed")
elif ! kz_wine32_installed; then
  fail_leg "i686 program" "this kernel runs i386 programs, but the 32-bit Wine" \
    "($KZ_WINE32_LOADER) is not installed: ./scripts/setup installs it"
elif [ ! -f build/win32/klangzwilling.exe ] || [ ! -f build/win32/kz_e2e_driver.exe ]; then
  fail_leg "i686 program" "build/win32 lacks klangzwilling.exe or kz_e2e_driver.exe" \
    "(cmake --preset win32 && cmake --build --preset win32)"
elif kz_i386_emulated; then
  KZ_E2E_PATIENCE=${KZ_E2E_PATIENCE:-12} run_leg 32 build/win32 \
    "i686 program, emulated (qemu-i386)" "${emulated_scenarios[@]}"
else
  run_leg 32 build/win32 "i686 program" "${scenarios[@]}"
fi

printf '\n== end-to-end legs\n'
printf '%s\n' "${results[@]}"
if [ -n "$skipped" ]; then
  cat <<BANNER

########################################################################################
#  NOT TESTED: the i686 program (build/win32/klangzwilling.exe).
#  The 32-bit Wine, an i386 Linux program, cannot run here:
#    $skipped
#  The end-to-end suite ran against the x86_64 program only. Where the kernel runs i386
#  programs, or qemu's emulation of them can be registered (as root), ./scripts/setup
#  installs the 32-bit Wine, and this leg runs and must pass.
########################################################################################
BANNER
fi
exit $status
