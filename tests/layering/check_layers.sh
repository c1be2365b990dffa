#!/usr/bin/env bash
# The libraries' one rule each, checked on the sources: the core names no
# widget or GUI header and no window; the windows never reach the programs.
set -u
src="$1/src"
fail=0
report() { echo "$1:"; echo "$2"; fail=1; }
hits=$(grep -rnE '#include\s*[<"](Qt(Widgets|Gui)/|Q(Widget|Dialog|MainWindow|Label|PushButton|ListWidget|MessageBox|FileDialog|Application|GuiApplication|Image|Pixmap|Icon|Painter|Color|Font)\b|(wizard|shell|editors|about|tutorial|widgets)/)' "$src/core")
[ -n "$hits" ] && report "the core includes GUI headers" "$hits"
hits=$(grep -rnE '#include\s*"(app|cli)/' "$src/core" "$src/gui")
[ -n "$hits" ] && report "a library includes a program's header" "$hits"
hits=$(grep -nE 'Qt6::(Gui|Widgets)' "$src/core/CMakeLists.txt")
[ -n "$hits" ] && report "the core links a GUI module" "$hits"
[ "$fail" = 0 ] && echo "layers kept"
exit "$fail"
