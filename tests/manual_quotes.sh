#!/bin/sh
# usage: manual_quotes.sh MANUAL SESSIONS RENDERED FIRST_WIDTH LAST_WIDTH
# The manual agrees with the program, as the recorded sessions in the folder SESSIONS show what it
# writes. At each width from FIRST_WIDTH to LAST_WIDTH columns, every line that the program writes
# stands in the manual, and every text that the manual quotes is written by the program just as it
# stands there: the manual is rendered by man into the file RENDERED, where a line break reads as
# a blank.
set -eu
manual=$1 sessions=$2 rendered=$3 width=$4
export LC_ALL=C.UTF-8
while [ "$width" -le "$5" ]; do
  MANWIDTH=$width man -l "$manual" | sed -z 's/\n */ /g' >"$rendered"
  awk -v width="$width" -v rendered="$rendered" '
    function fail(what) { print "At " width " columns, the manual " what; failed = 1 }
    { written[$0]; all_written = all_written $0 "\n" }
    END {
      getline manual <rendered
      for (line in written)
        if (!index(manual, line)) fail("lacks the line “" line "”")
      # Quotes open with “ and close with ”, three bytes each.
      while ((opening = index(manual, "“")) && (span = index(substr(manual, opening), "”"))) {
        quoted = substr(manual, opening + 3, span - 4)
        if (!index(all_written, quoted)) fail("quotes “" quoted "”, which the program never writes")
        manual = substr(manual, opening + span + 2)
      }
      exit failed
    }' "$sessions"/*.out
  width=$((width + 1))
done
