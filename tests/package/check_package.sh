#!/usr/bin/env bash
# Checks a built package the way a school's IT person meets it: lintian, the
# desktop entries, the AppStream metadata, and both programs run from the files
# the package installs, the pupil's one in the classroom its settings name.
# Usage: check_package.sh shkolnik_<version>_amd64.deb
set -euo pipefail
deb=$(realpath "$1")
top=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'kill "${pupil:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT

lintian --fail-on error,warning --pedantic "$deb"
dpkg -x "$deb" "$scratch/root"
desktop-file-validate "$scratch"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.metainfo.xml

version=$(dpkg-deb -f "$deb" Version)
for program in "$scratch"/root/usr/bin/*; do
  answer=$("$program" --version)
  [ "$answer" = "$(basename "$program") $version" ] || { echo "$program --version said: $answer"; exit 1; }
done

# The teacher's report from the installed program, with no display at all.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$scratch/root/usr/bin/shkolnik-teacher" report \
  "$top/examples/results" -o "$scratch/report.html" 2>/dev/null
grep -q "Результаты тестов" "$scratch/report.html" || { echo "the teacher's program made no report"; exit 1; }

# The school's settings name the classroom; the pupil's program must start in it.
cp -r "$top/examples/classroom" "$scratch/classroom"
mkdir -p "$scratch/etc/shkolnik"
printf '[General]\nClassroomFolder=%s\nDeploymentSentence=Для проверки пакета.\n' "$scratch/classroom" \
  >"$scratch/etc/shkolnik/shkolnik.conf"
(cd / && XDG_CONFIG_DIRS="$scratch/etc" QT_QPA_PLATFORM=offscreen exec "$scratch/root/usr/bin/shkolnik" >/dev/null 2>&1) &
pupil=$!
for _ in $(seq 50); do
  [ "$(readlink "/proc/$pupil/cwd" 2>/dev/null)" = "$scratch/classroom" ] && break
  sleep 0.1
done
[ "$(readlink "/proc/$pupil/cwd")" = "$scratch/classroom" ] || { echo "the pupil's program did not start in the classroom"; exit 1; }
echo "package checked: $deb"
