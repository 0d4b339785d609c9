#!/bin/sh
# usage: manual_quotes.sh MANUAL SESSIONS RENDERED FIRST_WIDTH LAST_WIDTH
# The manual agrees with the program, as the recorded sessions in the folder SESSIONS show what it
# writes. At each width from FIRST_WIDTH to LAST_WIDTH columns, every line that the program writes
# stands in the manual, and every text that the manual quotes is written by the program just as it
# stands there. man renders the manual into the file RENDERED, a line per width, each line break
# within the manual read as a blank.
set -eu
manual=$1 sessions=$2 rendered=$3 width=$4
export LC_ALL=C.UTF-8
while [ "$width" -le "$5" ]; do
  printf '%s\t' "$width"
  MANWIDTH=$width man -l "$manual" | sed -z 's/\n */ /g'
  echo
  width=$((width + 1))
done >"$rendered"
awk '
  function fail(what) { print "At " width " columns, the manual " what; failed = 1 }
  FILENAME != ARGV[ARGC - 1] { written[$0]; all_written = all_written $0 "\n"; next }
  {
    width = substr($0, 1, index($0, "\t") - 1)
    manual = substr($0, length(width) + 2)
    for (line in written)
      if (!index(manual, line)) fail("lacks the line “" line "”")
    # Quotes open with “ and close with ”, three bytes each.
    while ((opening = index(manual, "“")) && (span = index(substr(manual, opening), "”"))) {
      quoted = substr(manual, opening + 3, span - 4)
      if (!index(all_written, quoted)) fail("quotes “" quoted "”, which the program never writes")
      manual = substr(manual, opening + span + 2)
    }
  }
  END { exit failed }' "$sessions"/*.out "$rendered"
