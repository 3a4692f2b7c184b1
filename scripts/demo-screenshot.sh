#!/usr/bin/env bash
# Remakes docs/demo-laser.png, the README's picture of the laser window in demo mode mid-job:
# starts Vexa with --demo on a virtual X display (Xvfb), opens "Лазер - Градации / картины" on
# the default picture, presses "Гравировать", photographs the screen after SECONDS (default 12)
# and ends Vexa. Needs Xvfb, xwd and ImageMagick's convert (installed here when missing).
#
# With --file-dialog it remakes docs/open-dialog-ru.png instead: the open-file dialog of the
# picture windows' "..." button, in Russian, photographed offscreen by tools/dialog-shot (Qt's
# Russian translation comes from qt6-translations-l10n, which install-deps.sh installs).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--file-dialog" ]; then
  ./scripts/install-deps.sh
  ./scripts/build.sh vexa-dialog-shot
  pictures="$(mktemp -d /tmp/vexa-dialog.XXXX)"
  trap 'rm -rf "$pictures"' EXIT
  mkdir "$pictures/Картинки"
  cp resources/*.jpg resources/*.bmp "$pictures/Картинки/"
  out=docs/open-dialog-ru.png
  QT_QPA_PLATFORM=offscreen ./build/bin/vexa-dialog-shot "$out" "$pictures/Картинки"
  echo "$out: $(stat -c %s "$out") bytes"
  exit 0
fi
seconds="${1:-12}"
out=docs/demo-laser.png

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xwd >/dev/null || missing+=(x11-apps)
command -v convert >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get install -y "${missing[@]}"
fi
./scripts/build.sh vexa

work="$(mktemp -d /tmp/vexa-demo.XXXX)"
display=":$((90 + RANDOM % 100))"
cleanup() {
  [ -n "${vexa_pid:-}" ] && kill "$vexa_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own: the default pictures, a fresh cnc.ini.
cp resources/* "$work/"
printf 'menu etching_cl\nclick Form3/Command1\n' >"$work/script.txt"

Xvfb "$display" -screen 0 1280x720x24 -nolisten tcp &
xvfb_pid=$!
sleep 1
DISPLAY="$display" VEXA_PROGRAM_DIR="$work" VEXA_AUTOMATION="$work/script.txt" \
  VEXA_UPDATE_SERVER=off ./build/bin/vexa --demo >/dev/null 2>&1 &
vexa_pid=$!
sleep "$seconds"
kill -0 "$vexa_pid" 2>/dev/null || { echo "vexa ended before the picture was taken" >&2; exit 1; }

mkdir -p docs
# Half size and a palette of 64 colours keep the file small; the red burn marks stay red.
xwd -root -display "$display" -silent | convert xwd:- -resize 60% -colors 64 "png8:$out"
echo "$out: $(stat -c %s "$out") bytes"
