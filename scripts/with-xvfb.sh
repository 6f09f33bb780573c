#!/usr/bin/env bash
# Runs a command against a private Xvfb server. The server picks its own free
# display number (-displayfd), so runs side by side never share or kill each
# other's server (xvfb-run -a can race another run for the same number).
# -noreset: the server would otherwise restart, refusing connections for a
# moment, whenever the last test connection closes.
#
#   scripts/with-xvfb.sh COMMAND [ARGS...]
set -euo pipefail

fifo_dir=$(mktemp -d /tmp/orv-xvfb.XXXXXX)
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo_dir/display" >/dev/null 2>&1 &
server=$!
read -r -t 30 number <"$fifo_dir/display"
export DISPLAY=":$number"
"$@"
