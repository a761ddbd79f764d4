#!/bin/sh
# Runs the window tests that depend on a real display and a window manager
# (stacking of the progress window, chart painting on X rather than on Qt's
# offscreen platform) on a virtual X server with openbox.
set -u
TESTS=${1:?usage: window_manager_test.sh <corvella_ui_tests> <stacking check script>}
CHECK=${2:?usage: window_manager_test.sh <corvella_ui_tests> <stacking check script>}
for tool in xvfb-run openbox xprop xwininfo; do
  command -v $tool >/dev/null || { echo "$tool is missing (scripts/install-deps)"; exit 1; }
done

unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1600x1000x24" sh -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  # openbox announces itself on the root window once it manages windows.
  i=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    i=$((i + 1)); [ $i -gt 600 ] && { echo "openbox did not start within a minute"; exit 1; }
    sleep 0.1
  done
  QT_QPA_PLATFORM=xcb CORVELLA_STACKING_CHECK="$2" "$1" \
    --gtest_filter="WindowManager.*:CountingWindows.*:ProgressWindowPainting.*"
  rc=$?
  kill $wm
  exit $rc
' window-manager "$TESTS" "$CHECK"
