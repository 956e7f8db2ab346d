#!/bin/bash
# Tree fill under Wine, with the main window on the screen of an X display of its own:
#   bench/tree_fill.sh [ROUNDS]   (5)
# Fills the tree from a typical record (about 100 items) and from one of 10,000 items, with auto
# expand on and off, beside inserting the same items in the same states into a bare tree view
# with redrawing off (goal: a fill costs at most 1.5 times that), and prints what the same typical record costs when it is inserted with
# redrawing on. The Windows build is made if needed.
source "$(dirname "$0")/../tools/setup.sh"
tv_build_windows tree_fill >/dev/null
tv_wine_prefix
tv_wine_session
"$TV_WIN/wine-run" "$TV_WIN/bin/tree_fill.exe" "${1:-5}"
