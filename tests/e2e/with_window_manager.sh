#!/usr/bin/env bash
# with_window_manager.sh COMMAND [ARGS...]
# Runs COMMAND on $DISPLAY once the window manager openbox manages that display, so windows get frames,
# focus, stacking and maximising as on a desktop; then ends openbox. Exits with COMMAND's status.
set -euo pipefail
command -v openbox >/dev/null || { echo "openbox is not installed (see scripts/common.sh)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# openbox runs its start-up command once it has taken over the screen; the command writes its status
# and asks openbox to exit.
{
    printf '%q ' "$@"
    echo
    printf 'echo $? >%q\n' "$work/status"
    echo 'openbox --exit'
} >"$work/run"
openbox --sm-disable --startup "bash $work/run"
[ -s "$work/status" ] || { echo "openbox ended before the command ran" >&2; exit 1; }
exit "$(cat "$work/status")"
