#!/usr/bin/env bash
# Dragging and walking back under a window manager.
export DRAG_WM=--wm
source "$(dirname "$0")/test_drag.sh"
