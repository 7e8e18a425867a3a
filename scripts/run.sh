#!/usr/bin/env bash
# Builds the program and runs its main job: a demonstration database made in a
# fresh data folder and printed as a tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
build/src/cli/zelvora360-cli parse samples/leadership.dat
data=out/demo-data
rm -rf "$data"
mkdir -p "$data"
build/src/cli/zelvora360-cli --data "$data" demo
build/src/cli/zelvora360-cli --data "$data" tree
# One PDF of every report kind the generator makes, over the demo database
# (the first six experiences share the first department's survey).
reports=out/reports
mkdir -p "$reports"
mapfile -t experiences < <(build/src/cli/zelvora360-cli --data "$data" tree |
  sed -n 's/^ *Experience \([0-9]*\.[0-9]*\) .*/\1/p')
build/src/cli/zelvora360-cli --data "$data" report --kind individual \
  --select "${experiences[1]}" --title-page --pdf "$reports/individual.pdf"
build/src/cli/zelvora360-cli --data "$data" report --kind composite \
  --select "${experiences[0]},${experiences[1]},${experiences[2]}" --title-page \
  --pdf "$reports/composite.pdf"
build/src/cli/zelvora360-cli --data "$data" report --kind comparative \
  --select "${experiences[0]},${experiences[1]},${experiences[2]},${experiences[3]}" \
  --pdf "$reports/comparative.pdf"
build/src/cli/zelvora360-cli --data "$data" report --kind training \
  --select "$(IFS=,; echo "${experiences[*]:0:6}")" --title-page --pdf "$reports/training.pdf"
mapfile -t areas < <(build/src/cli/zelvora360-cli --data "$data" tree |
  sed -n 's/^ *Skill area \([0-9]*\.[0-9]*\) .*/\1/p')
build/src/cli/zelvora360-cli --data "$data" report --kind skill-area --select "${areas[0]}" \
  --suggestions --pdf "$reports/skill-area.pdf"
mapfile -t departments < <(build/src/cli/zelvora360-cli --data "$data" tree |
  sed -n 's/^ *Department \([0-9]*\.[0-9]*\) .*/\1/p')
build/src/cli/zelvora360-cli --data "$data" report --kind organizational \
  --select "$(IFS=,; echo "${experiences[*]:0:6}")" --departments "${departments[0]}" \
  --title-page --pdf "$reports/organizational.pdf"
mapfile -t sheets < <(build/src/cli/zelvora360-cli --data "$data" tree |
  sed -n 's/^ *Score sheet \([0-9]*\.[0-9]*\) .*/\1/p')
build/src/cli/zelvora360-cli --data "$data" report --kind rater-forms --select "${sheets[1]}" \
  --reference --return-date "$(date -d '+14 days' +%F)" --pdf "$reports/rater-form.pdf"
mapfile -t surveys < <(build/src/cli/zelvora360-cli --data "$data" tree |
  sed -n 's/^ *Survey \([0-9]*\.[0-9]*\) .*/\1/p')
build/src/cli/zelvora360-cli --data "$data" report --kind blank-forms --select "${surveys[0]}" \
  --other --pdf "$reports/blank-form.pdf"
build/src/cli/zelvora360-cli --data "$data" results \
  --select "${experiences[1]}" --csv "$reports/individual-results.csv"
for file in individual.pdf composite.pdf comparative.pdf organizational.pdf training.pdf \
  skill-area.pdf \
  rater-form.pdf blank-form.pdf individual-results.csv; do
  echo "Report: $(realpath "$reports/$file")"
done
# The desktop program on the demo database, when there is a display to show it.
desktop=(build/src/UI/zelvora360 --data "$data")
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  if [ "$QT_QPA_PLATFORM" = offscreen ]; then unset QT_QPA_PLATFORM; fi
  "${desktop[@]}"
else
  echo "Desktop program (no display here): ${desktop[*]}"
fi
