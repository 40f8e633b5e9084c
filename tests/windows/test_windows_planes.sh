#!/usr/bin/env bash
# The Windows build synthesises the same planes as the Linux build, value for value: both render tools
# write the face, marker and hand planes of a spread of sizes, skins, dials and transparencies, and the
# files must be byte for byte the same (the two tools share the PNG writer).
set -euo pipefail
linux=${TICKORA_BIN:?}/tickora-render
windows=${TICKORA_WINDOWS_BIN:-}/tickora-render.exe
if [ ! -f "$windows" ]; then
  echo "no Windows build at ${TICKORA_WINDOWS_BIN:-(TICKORA_WINDOWS_BIN unset)}; scripts/build-windows.sh makes it"
  exit 77
fi
work=$(mktemp -d)
# shellcheck source=../../scripts/wine-session.sh
source "${TICKORA_SOURCE_DIR:?}/scripts/wine-session.sh"
trap 'wine_session_stop; rm -rf "$work"' EXIT
unset DISPLAY
wine_session_start "$work"

sizes=(0 1 2 17 31 32 49 50)
transparencies=(0 13 25 50)
compared=0
differing=()
# Every dial style once, the skins and sizes turning with it; then every skin on the default dial.
cases=()
for dial in $(seq 0 21); do
  cases+=("${sizes[dial % 8]} $((dial % 15 + 1)) $dial ${transparencies[dial % 4]}")
done
for skin in $(seq 1 15); do
  cases+=("${sizes[(skin * 3) % 8]} $skin 11 ${transparencies[skin % 4]}")
done
for c in "${cases[@]}"; do
  read -r size skin dial transparency <<<"$c"
  for plane in face marker hand; do
    options=(--planes "$plane" --size-step "$size" --skin "$skin" --dial "$dial" --transparency "$transparency")
    "$linux" "${options[@]}" --out "$work/linux.png"
    # Wine takes the Windows path of the output file; Z: is the Unix root.
    wine "$windows" "${options[@]}" --out "Z:$work/windows.png"
    compared=$((compared + 1))
    cmp -s "$work/linux.png" "$work/windows.png" || differing+=("$plane ${options[*]}")
  done
done
if [ ${#differing[@]} -gt 0 ]; then
  printf 'planes differ between Linux and Windows:\n' >&2
  printf '  %s\n' "${differing[@]}" >&2
  exit 1
fi
echo "$compared planes equal on Linux and Windows"
