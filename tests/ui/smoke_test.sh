#!/bin/sh
# Starts the desktop program on a virtual X server, waits until its main
# window "Corvella" is mapped, then asks it to stop (SIGTERM) and expects a
# clean exit with status 0.
set -u
BIN=${1:?usage: smoke_test.sh <path of corvella>}
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (scripts/install-deps)"; exit 1; }
command -v xwininfo >/dev/null || { echo "xwininfo is missing (scripts/install-deps)"; exit 1; }

unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  BIN="$1"
  "$BIN" &
  pid=$!
  mapped=""
  i=0
  while [ $i -lt 150 ]; do
    for id in $(xwininfo -root -tree 2>/dev/null | awk "/\"Corvella\"/ {print \$1}"); do
      if xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable"; then mapped=$id; fi
    done
    [ -n "$mapped" ] && break
    if ! kill -0 $pid 2>/dev/null; then echo "corvella ended before its window appeared"; exit 1; fi
    sleep 0.2
    i=$((i + 1))
  done
  if [ -z "$mapped" ]; then
    echo "no mapped window titled Corvella"; kill -KILL $pid; exit 1
  fi
  kill -TERM $pid
  wait $pid
  rc=$?
  if [ $rc -ne 0 ]; then echo "corvella exited with status $rc after SIGTERM"; exit 1; fi
  echo "main window $mapped mapped; clean exit"
' smoke "$BIN"
