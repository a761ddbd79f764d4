#!/bin/sh
# stacking_check.sh <upper window id> <lower window id>
# Succeeds once the window manager shows the first window mapped and
# stacked above the second (both as X window ids of the clients); gives up
# after five seconds. Prints what it last saw.
set -u
upper=$(printf '%d' "$1")
lower=$(printf '%d' "$2")
i=0
while [ $i -lt 50 ]; do
  state=$(xwininfo -id "$upper" 2>/dev/null | awk '/Map State:/ {print $3}')
  # The window manager's stacking list, bottom first.
  order=$(xprop -root -notype _NET_CLIENT_LIST_STACKING 2>/dev/null | sed 's/.*# //; s/,//g')
  up_at=""; low_at=""; n=0
  for id in $order; do
    n=$((n + 1))
    [ "$(printf '%d' "$id")" = "$upper" ] && up_at=$n
    [ "$(printf '%d' "$id")" = "$lower" ] && low_at=$n
  done
  if [ "$state" = "IsViewable" ] && [ -n "$up_at" ] && [ -n "$low_at" ] && [ "$up_at" -gt "$low_at" ]; then
    echo "window $1 is mapped and stacked at $up_at, above $2 at $low_at"
    exit 0
  fi
  sleep 0.1
  i=$((i + 1))
done
echo "window $1: map state '$state', stacking place '$up_at'; window $2 at '$low_at'; stacking: $order"
exit 1
