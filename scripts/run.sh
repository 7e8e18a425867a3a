#!/usr/bin/env bash
# Builds the program and runs its main job: a demonstration database made in a
# fresh data folder and printed as a tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cli=build/src/cli/zelvora360-cli
$cli parse samples/leadership.dat
data=out/demo-data
rm -rf "$data"
mkdir -p "$data"
$cli --data "$data" demo
tree=out/demo-tree.txt
$cli --data "$data" tree | tee "$tree"

# The reports pick their data by what it is, not by its place in the tree:
# departments, subjects and skill areas by name, experiences by subject and
# date.

# The ID of the department named $1.
department() {
  sed -n "s/^  Department \([0-9]*\.[0-9]*\) \"$1\"\$/\1/p" "$tree"
}
# "subject-ID date experience-ID" for every experience of department $1,
# oldest first within each subject.
experiences_of() {
  awk -v dept="$1" '
    /^  Department / { inside = ($2 == dept) }
    /^  [^ ]/ && !/^  Department / { inside = 0 }
    /^[^ ]/ { inside = 0 }
    inside && /^    Experience / { print $5, $3, $2 }' "$tree" | sort -k1,1 -k2,2
}
# The newest experience of each subject of department $1.
latest_of() {
  experiences_of "$1" | awk '{ last[$1] = $3 } END { for (s in last) print last[s] }' | sort
}
# Both experiences of subject ID $2 in department $1, older first.
pair_of() {
  experiences_of "$1" | awk -v subject="$2" '$1 == subject { print $3 }'
}
# The ID of the subject named $1.
subject() {
  sed -n "s/^    Subject \([0-9]*\.[0-9]*\) \"$1\"\$/\1/p" "$tree"
}
# The ID of the survey of department $1.
survey_of() {
  awk -v dept="$1" '
    /^  Department / { inside = ($2 == dept) }
    inside && /^    Survey / { print $2; exit }' "$tree"
}
# The ID of skill area $2 of library survey $1.
library_area() {
  awk -v survey="\"$1\"" -v area="\"$2\"" '
    /^Library surveys$/ { library = 1; next }
    /^[^ ]/ { library = 0 }
    library && /^  Survey / { inside = index($0, survey " by ") > 0 }
    inside && /^    Skill area / && index($0, area) > 0 { print $3; exit }' "$tree"
}
# The score sheet of rater $2 on experience $1.
sheet_of() {
  awk -v experience="$1" -v rater="\"$2\"" '
    /^    Experience / { inside = ($2 == experience) }
    inside && /^      Score sheet / && index($0, rater) > 0 { print $3; exit }' "$tree"
}
commas() {
  local IFS=,
  echo "$*"
}

operations=$(department "Operations")
service=$(department "Customer Service")
mapfile -t operations_latest < <(latest_of "$operations")
mapfile -t service_latest < <(latest_of "$service")
mapfile -t anna < <(pair_of "$operations" "$(subject "Anna Berger")")
mapfile -t david < <(pair_of "$operations" "$(subject "David Chen")")

# One PDF of every report kind the generator makes, over the demo database.
reports=out/reports
mkdir -p "$reports"
$cli --data "$data" report --kind individual \
  --select "${anna[1]}" --title-page --pdf "$reports/individual.pdf"
$cli --data "$data" report --kind composite \
  --select "$(commas "${operations_latest[@]}")" --title-page --pdf "$reports/composite.pdf"
$cli --data "$data" report --kind comparative \
  --select "$(commas "${anna[@]}" "${david[@]}")" --pdf "$reports/comparative.pdf"
$cli --data "$data" report --kind training \
  --select "$(commas "${operations_latest[@]}")" --title-page --pdf "$reports/training.pdf"
$cli --data "$data" report --kind skill-area --suggestions \
  --select "$(commas "$(library_area "Standard Skill Areas" "Listening")" \
    "$(library_area "Standard Skill Areas" "Delegation")")" --pdf "$reports/skill-area.pdf"
# Both departments, each with its own copy of the survey.
$cli --data "$data" report --kind organizational \
  --select "$(commas "${operations_latest[@]}" "${service_latest[@]}")" \
  --departments "$operations,$service" --title-page --pdf "$reports/organizational.pdf"
$cli --data "$data" report --kind rater-forms --select "$(sheet_of "${anna[1]}" "Thomas Reed")" \
  --reference --return-date "$(date -d '+14 days' +%F)" --pdf "$reports/rater-form.pdf"
$cli --data "$data" report --kind blank-forms --select "$(survey_of "$operations")" \
  --other --pdf "$reports/blank-form.pdf"
$cli --data "$data" results \
  --select "${anna[1]}" --csv "$reports/individual-results.csv"
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
