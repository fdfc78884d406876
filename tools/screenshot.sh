#!/usr/bin/env bash
# Starts the built program on a virtual X server with the sample project as
# its last project and keeps a picture of the whole screen.
#
#   tools/screenshot.sh [build dir] [picture]
#
# The program directory of the build (the executable, libserlink.so, CFG/ORV/,
# startsel.db, data/) is copied to a temporary ORVTOOL_HOME, so the build's
# own settings stay as they are. Prints "title: <window title>" and
# "window: <x> <y> <width> <height>" of the main window, and
# "screen: <width>x<height>". Exits non-zero when the window did not come up
# within 30 seconds or the picture could not be taken.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${1:-$here/../build}
picture=${2:-$build/screenshots/orvtool-demo043.png}
screen=${ORV_SCREENSHOT_SCREEN:-1280x1024}
progdir=$build/src/gui

if [[ ! -x $progdir/orvtool ]]; then
  echo "screenshot: $progdir/orvtool is not built (cmake --build $build --target orvtool)" >&2
  exit 1
fi
for tool in xvfb-run xdotool import; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "screenshot: $tool is missing (tools/install-deps.sh installs it)" >&2
    exit 1
  fi
done

home=$(mktemp -d "${TMPDIR:-/tmp}/orvtool-shot.XXXXXX")
trap 'rm -rf "$home"' EXIT
for part in orvtool libserlink.so CFG startsel.db data; do
  cp -a "$progdir/$part" "$home/"
done

# The shipped INI selects another panel and no last project: the 043 panel
# and the sample take their places.
ini=$home/CFG/ORV/ORVPRO.INI
sample=$home/data/demo043.orv
sed -i -e 's/^ORV=ORV[0-9]*\r$/ORV=ORV043\r/' \
       -e "s|^\\[ENVIRONMENT\\]\\r\$|[ENVIRONMENT]\\r\\nORV_FILE=\"$sample\"\\r|" "$ini"
grep -q "^ORV_FILE=\"$sample\"" "$ini" || { echo "screenshot: $ini has no [ENVIRONMENT] section" >&2; exit 1; }

mkdir -p "$(dirname "$picture")"
picture=$(cd "$(dirname "$picture")" && pwd)/$(basename "$picture")
rm -f "$picture"

# Runs inside the virtual server: start, wait for the window, capture, end.
inner=$(cat <<'EOF'
set -euo pipefail
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
"$ORVTOOL_HOME/orvtool" >"$ORVTOOL_HOME/orvtool.log" 2>&1 &
pid=$!
end() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
trap end EXIT
if ! window=$(timeout 30 xdotool search --sync --onlyvisible --limit 1 --name demo043 2>/dev/null) \
   || [[ -z $window ]]; then
  echo "screenshot: no window with demo043 in its title came up within 30 seconds" >&2
  sed 's/^/orvtool: /' "$ORVTOOL_HOME/orvtool.log" >&2
  exit 1
fi
echo "title: $(xdotool getwindowname "$window")"
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window: $X $Y $WIDTH $HEIGHT"
echo "screen: $(xdotool getdisplaygeometry | tr ' ' x)"
# The window is mapped before Qt has painted it: the screen is taken again
# until the window shows more than its background, within the same limit.
deadline=$((SECONDS + 30))
while :; do
  import -window root "$PICTURE"
  colours=$(import -window "$window" png:- | identify -format '%k' - 2>/dev/null || echo 0)
  (( colours > 16 )) && break
  if (( SECONDS >= deadline )); then
    echo "screenshot: the window was not painted within 30 seconds" >&2
    exit 1
  fi
done
EOF
)

ORVTOOL_HOME=$home PICTURE=$picture xvfb-run -a -s "-screen 0 ${screen}x24 -nolisten tcp" bash -c "$inner"
[[ -s $picture ]] || { echo "screenshot: no picture was written" >&2; exit 1; }
echo "picture: $picture"
