#!/usr/bin/env bash
# Builds the Debian package and checks it the way a user meets it: its desktop
# entry and AppStream file validate, it installs with apt (which fetches any
# dependency missing), the installed command-line tool makes the demonstration
# database and a report, the installed desktop program finds its shipped files
# (a screenshot run, offscreen), and it is removed again. Run as root.
#   scripts/package-test.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ "$(id -u)" -ne 0 ]; then
  echo "package-test: needs root to install the package; skipped" >&2
  exit 0
fi
if dpkg-query -W -f='${Status}' zelvora360 2>/dev/null | grep -q 'install ok installed'; then
  echo "package-test: zelvora360 is installed on this machine already; not touching it" >&2
  exit 0
fi
cmake --build "$build" --target zelvora360 zelvora360-cli
(cd "$build" && rm -f zelvora360_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$PWD/$build"/zelvora360_*.deb)
echo "Package: $deb ($(stat -c %s "$deb") bytes)"

work=$(mktemp -d)
trap 'dpkg -r zelvora360 >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$deb" >/dev/null
dpkg-query -W -f='${Status}\n' zelvora360 | grep -q 'install ok installed'

desktop-file-validate /usr/share/applications/org.zelvora.Zelvora360.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.zelvora.Zelvora360.metainfo.xml >/dev/null
# The data folder is given: as root the installed program's own folder
# would otherwise count as writable.
export QT_QPA_PLATFORM=offscreen
/usr/bin/zelvora360-cli --data "$work/data" demo >/dev/null
experience=$(/usr/bin/zelvora360-cli --data "$work/data" tree |
  sed -n 's/^ *Experience \([0-9]*\.[0-9]*\) .*/\1/p' | head -n 1)
/usr/bin/zelvora360-cli --data "$work/data" report --kind individual --select "$experience" \
  --pdf "$work/individual.pdf" >/dev/null
test -s "$work/individual.pdf"
/usr/bin/zelvora360 --data "$work/data" --screenshots "$work/shots" >/dev/null 2>&1
test -s "$work/shots/05-about.png"

dpkg -r zelvora360 >/dev/null
test ! -e /usr/bin/zelvora360
echo "package-test: installed, ran and removed $(basename "$deb")"
