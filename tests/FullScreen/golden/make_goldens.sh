#!/bin/sh
# Remakes the golden frames with the render tool; look at every one before committing it.
# usage: tests/FullScreen/golden/make_goldens.sh BUILD_DIR
set -eu
render="${1:?usage: $0 BUILD_DIR}/tickora-render"
out="$(dirname "$0")"
"$render" --frame --time 10:08:30 --out "$out/default_10-08-30.png"
"$render" --frame --time 03:00:00 --size-step 50 --skin 1 --dial 0 --transparency 0 \
  --out "$out/step50_skin1_dial0_03-00-00.png"
"$render" --frame --time 23:59:59 --size-step 0 --skin 7 --dial 5 --transparency 25 --hand-width 20 \
  --cursor 20 30 --out "$out/step0_skin7_dial5_cursor_23-59-59.png"
"$render" --frame --time 07:45:10 --size-step 1 --skin 11 --dial 16 --transparency 0 --numerals 0 --seconds 0 \
  --out "$out/step1_skin11_dial16_07-45-10.png"
