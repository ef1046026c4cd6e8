#!/bin/sh
# Reads a TCX file as training programs' tools do and prints what they found, for the
# end-to-end export test to compare with the row file:  sh tcx_check.sh FILE.tcx
# xmllint checks the XML; gpsbabel reads the activity (its track keeps no point without a
# position, so only the activity's name shows); xmllint's XPath reads the lap and the points.
f="$1"
xmllint --noout "$f" && echo well-formed
gpsbabel -i gtrnctr -f "$f" -o gpx -F - | grep -o '<name>.*</name>'
e() { echo "//*[local-name()='$1']"; }
xmllint --xpath "concat(count($(e Trackpoint)), ' points, ', count($(e HeartRateBpm)),
  ' heart rates, ', $(e TotalTimeSeconds), ' s, ', $(e Lap)/*[local-name()='DistanceMeters'],
  ' m, ', $(e Calories), ' kcal, ', floor(sum($(e Watts)) div count($(e Watts))), ' W')" "$f"
