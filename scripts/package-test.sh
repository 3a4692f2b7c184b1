#!/usr/bin/env bash
# The package test (run by CI after ./test.sh, reusing its build tree): builds the Debian
# package, installs it INTO THIS MACHINE with apt-get (so it needs root: CI runs as root on a
# machine of its own), checks the installed program and removes the package again:
#   - /usr/bin/vexa --version prints the project's version;
#   - the installed vexa, run by automation (offscreen, a fresh HOME), makes the per-user folder
#     ~/.local/share/vexa, seeds it with the defaults of /usr/share/vexa, and its laser window
#     opens the default picture (writing work.bmp there);
#   - the installed vexa-cli, without a display, writes the default ornament's G-code from there;
#   - dpkg -r vexa removes every file the package installed.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
  echo "package-test: needs root: it installs the package into this machine" >&2
  exit 1
fi
fail() {
  echo "package-test: $*" >&2
  exit 1
}

deb="$(./scripts/package-deb.sh | tail -n 1)"
version="$(sed -n 's/^project(Vexa VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q --reinstall "./$deb" >/dev/null
installed="$(dpkg -L vexa)"

[ "$(/usr/bin/vexa --version)" = "vexa $version" ] || fail "vexa --version: $(/usr/bin/vexa --version)"
for f in /usr/bin/vexa-sim /usr/bin/vexa-cli /usr/share/applications/vexa.desktop \
         /usr/share/icons/hicolor/scalable/apps/vexa.svg /usr/share/man/man1/vexa.1.gz \
         /usr/share/man/man1/vexa-sim.1.gz /usr/share/man/man1/vexa-cli.1.gz \
         /usr/share/vexa/neuro.net; do
  [ -f "$f" ] || fail "$f is not installed"
done

work="$(mktemp -d /tmp/vexa-package.XXXX)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/home"
printf 'menu etching_cl\nquit\n' >"$work/script.txt"
(cd "$work" && env -u VEXA_PROGRAM_DIR -u XDG_DATA_HOME HOME="$work/home" QT_QPA_PLATFORM=offscreen \
  VEXA_AUTOMATION="$work/script.txt" VEXA_UPDATE_SERVER=off /usr/bin/vexa >"$work/transcript.txt") ||
  fail "the installed vexa ended with status $?: $(cat "$work/transcript.txt")"
user="$work/home/.local/share/vexa"
for f in /usr/share/vexa/*; do
  cmp -s "$f" "$user/$(basename "$f")" || fail "$user was not seeded with $(basename "$f")"
done
[ -f "$user/work.bmp" ] || fail "the laser window did not open the default picture: $(cat "$work/transcript.txt")"
! grep -q $'^message\tОшибка' "$work/transcript.txt" || fail "$(cat "$work/transcript.txt")"
# The terminal's jobs need no display: the default ornament to G-code from the same folder.
(cd "$work" && env -u VEXA_PROGRAM_DIR -u XDG_DATA_HOME -u DISPLAY -u QT_QPA_PLATFORM \
  HOME="$work/home" /usr/bin/vexa-cli outline --gcode "$work/ornament.gcode" --quiet \
  2>"$work/cli.txt") || fail "the installed vexa-cli ended with status $?: $(cat "$work/cli.txt")"
grep -q '^G21' "$work/ornament.gcode" || fail "vexa-cli wrote no G-code: $(cat "$work/cli.txt")"

dpkg -r vexa >/dev/null
while IFS= read -r f; do
  [ -d "$f" ] || [ ! -e "$f" ] || fail "$f is left after dpkg -r vexa"
done <<<"$installed"
echo "package-test: $deb installed, ran and removed"
