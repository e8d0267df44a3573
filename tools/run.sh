#!/usr/bin/env bash
# Builds the program and starts it in the data library (samples/), as the
# desktop entry does in the installed one, so the lists show it at once.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup-debian.sh"
(cd "$root" && cmake --preset default >/dev/null)
# The icons too (when rsvg-convert is there), so `cmake --install build`
# works right after this.
cmake --build "$root/build" --target jinko-pyramid application_icons

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  cat >&2 <<'MSG'
jinko-pyramid needs a graphical display, and none was found (DISPLAY and
WAYLAND_DISPLAY are empty). Start it from a desktop session, or on a machine
without one run it under a virtual display:
    apt-get install xvfb && xvfb-run -s "-screen 0 1280x1024x24" tools/run.sh
MSG
  exit 1
fi
cd "$root/samples"
exec "$root/build/app/jinko-pyramid"
