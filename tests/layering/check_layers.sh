#!/usr/bin/env bash
# The libraries' one rule each, checked on the sources: the core names no
# widget or GUI header and no window; the windows never reach the programs
# nor the shell that opens them.
set -u
src="$1/src"
fail=0
report() { echo "$1:"; echo "$2"; fail=1; }
hits=$(grep -rnE '#include\s*[<"](Qt(Widgets|Gui)/|Q(Widget|Dialog|MainWindow|Label|PushButton|ListWidget|MessageBox|FileDialog|Application|GuiApplication|Image|Pixmap|Icon|Painter|Color|Font)\b|(wizard|shell|editors|about|tutorial|widgets)/)' "$src/core")
[ -n "$hits" ] && report "the core includes GUI headers" "$hits"
hits=$(grep -rnE '#include\s*"(app|cli)/' "$src/core" "$src/gui")
[ -n "$hits" ] && report "a library includes a program's header" "$hits"
# Inside the GUI library: the shell opens the windows, never the reverse;
# the shared widget helpers know no window; the preview knows no wizard.
hits=$(grep -rnE '#include\s*"shell/' "$src/gui" | grep -v "^$src/gui/shell/")
[ -n "$hits" ] && report "a window reaches up into the shell" "$hits"
hits=$(grep -rnE '#include\s*"((wizard|shell|editors|about|tutorial|preview)/|settings/frm)' "$src/gui/widgets")
[ -n "$hits" ] && report "a widget helper includes a window" "$hits"
hits=$(grep -rnE '#include\s*"wizard/' "$src/gui/preview")
[ -n "$hits" ] && report "the preview includes the wizard" "$hits"
hits=$(grep -nE 'Qt6::(Gui|Widgets)' "$src/core/CMakeLists.txt")
[ -n "$hits" ] && report "the core links a GUI module" "$hits"
[ "$fail" = 0 ] && echo "layers kept"
exit "$fail"
