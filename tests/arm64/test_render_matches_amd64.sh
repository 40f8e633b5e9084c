#!/usr/bin/env bash
# The arm64 build, under the emulator, synthesises and draws what the native amd64 build does, byte for
# byte, although its long double is IEEE quad where amd64's is the x87's 80 bits: both render tools
# write every JPEG picture decoded, the face of every size step in each of its nine shapes, the face,
# marker and hand planes of every dial, and frames at 100 % and at the interpolated scales.
set -euo pipefail
arm64=${TICKORA_BIN:?}/tickora-render
native=${TICKORA_NATIVE_BIN:-}/tickora-render
if [ ! -x "$native" ]; then
  echo "no native build at ${TICKORA_NATIVE_BIN:-(TICKORA_NATIVE_BIN unset)}; scripts/build.sh makes it"
  exit 77
fi
emulator=${TICKORA_EMULATOR:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cases=()
# Every JPEG picture as decoded, where libjpeg's own inverse DCTs differ between the two.
for face in Skin{1..15}; do
  cases+=("--picture $face --size 220 220")
done
for marker in Skin02 Skin012 Skin013 Skin014; do
  cases+=("--picture $marker --size 35 35")
done
# The face of every size step in every shape (dials 0..7, and 8 for the plain disc), the skins and
# transparencies turning with them.
for step in $(seq 0 50); do
  for dial in $(seq 0 8); do
    cases+=("--planes face --size-step $step --skin $(((step + dial) % 15 + 1)) --dial $dial --transparency $(((step * 9 + dial) % 51))")
  done
done
# Every dial style's marker and hand.
for dial in $(seq 0 21); do
  for plane in marker hand; do
    cases+=("--planes $plane --size-step $((dial * 2)) --skin $((dial % 15 + 1)) --dial $dial --transparency $((dial * 7 % 51))")
  done
done
# Whole frames: the defaults, numerals and markers, the cursor's hole, every hand width's end, device
# scales where the face is interpolated and the sprites drawn larger, and odd diameters, whose cardinal
# ring centres lie on half pixels.
cases+=(
  "--frame --time 10:08:30"
  "--frame --time 03:00:00 --size-step 50 --skin 1 --dial 0 --transparency 0"
  "--frame --time 23:59:59 --size-step 0 --skin 7 --dial 5 --transparency 25 --hand-width 20 --cursor 20 30"
  "--frame --time 07:45:10 --size-step 1 --skin 11 --dial 16 --transparency 0 --numerals 0 --seconds 0"
  "--frame --time 12:34:56 --size-step 17 --skin 4 --dial 21 --transparency 10 --hand-width 1"
  "--frame --time 18:15:45 --size-step 32 --skin 9 --dial 8 --transparency 40 --scale 1.25"
  "--frame --time 06:30:15 --size-step 25 --skin 13 --dial 3 --transparency 0 --scale 1.5"
  "--frame --time 21:09:03 --size-step 40 --skin 2 --dial 14 --transparency 5 --scale 2"
  "--frame --time 00:00:00 --size-step 50 --skin 15 --dial 7 --transparency 0 --scale 0.75"
  "--frame --time 09:15:00 --size-step 1 --skin 5 --dial 0 --transparency 0"
  "--frame --time 15:45:30 --size-step 1 --skin 12 --dial 2 --transparency 20 --scale 3"
)

# A case a line, numbered; the emulated renders take a core each.
for i in "${!cases[@]}"; do
  echo "$i ${cases[i]}"
done >"$work/cases"
export native arm64 emulator work
# shellcheck disable=SC2016  # the inner shell expands them
xargs -P "$(nproc)" -L 1 bash -c 'i=$1; shift
  "$native" "$@" --out "$work/$i.amd64.png" && "$emulator" "$arm64" "$@" --out "$work/$i.arm64.png"' _ \
  <"$work/cases"
differing=()
for i in "${!cases[@]}"; do
  cmp -s "$work/$i.amd64.png" "$work/$i.arm64.png" || differing+=("${cases[i]}")
done
if [ ${#differing[@]} -gt 0 ]; then
  printf 'arm64 and amd64 render differently:\n' >&2
  printf '  %s\n' "${differing[@]}" >&2
  exit 1
fi
echo "${#cases[@]} pictures, planes and frames equal on arm64 and amd64"
