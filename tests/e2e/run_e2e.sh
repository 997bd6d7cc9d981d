#!/usr/bin/env bash
# Runs the end-to-end scenarios against the real klangzwilling.exe under Wine and Xvfb.
#   tests/e2e/run_e2e.sh BUILD_DIR [SCENARIO...]
# Screenshots land in BUILD_DIR/e2e-artifacts as PNG files.
set -uo pipefail
source "$(dirname "$0")/../../scripts/env.sh"
build=${1:?build directory}
shift
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(startup)

artifacts="$build/e2e-artifacts"
if [ -z "${KZ_E2E_INSIDE:-}" ]; then
  rm -rf "$artifacts"
  mkdir -p "$artifacts"
  status=0
  if [ -n "${DISPLAY:-}" ]; then
    KZ_E2E_INSIDE=1 "$0" "$build" "${scenarios[@]}" || status=$?
  else
    KZ_E2E_INSIDE=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "${scenarios[@]}" ||
      status=$?
  fi
  wineserver -w 2>/dev/null || true
  for shot in "$artifacts"/*.bmp; do
    [ -e "$shot" ] || continue
    convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
  done
  exit $status
fi

# Inside the display: one mapped drive, one driver run.
work=$(mktemp -d /tmp/kz-e2e.XXXXXX)
trap 'rm -rf "$work"; rm -f "$WINEPREFIX/dosdevices/m:"' EXIT
# The prepared music trees appear as drive M: in the folder tree.
ln -sfn "$work" "$WINEPREFIX/dosdevices/m:"
wine "$build/kz_e2e_driver.exe" --exe "$(winepath -w "$build/klangzwilling.exe")" \
  --shots "$(winepath -w "$artifacts")" --work "$(winepath -w "$work")" --drive M: \
  "${scenarios[@]}"
