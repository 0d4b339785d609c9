#!/bin/sh
# usage: manual_quotes.sh MANUAL SESSIONS RENDERED VERSION
# The manual agrees with the program, as the recorded sessions in the folder SESSIONS show what it
# writes: at every fourth line length from 40 to 200 columns, every line that the program writes,
# but for the countdown's numbers, stands in the manual, and every text that the manual quotes is
# one that the program writes, as quoted; from 80 columns on, its footer shows the whole VERSION.
# Every fourth length is a quarter of the work, which counts under emulation, and still meets the
# hyphens and stretched blanks that other settings would bring.
# One groff renders the manual at all of those lengths into the file RENDERED, a page each.
set -eu
manual=$1 sessions=$2 rendered=$3 version=$4
for width in $(seq 40 4 200); do
  echo ".nr LL ${width}n"
  cat "$manual"
done | LC_ALL=C.UTF-8 groff -man -Tutf8 -P-cbou >"$rendered"
awk -v version="$version" '
  function fail(what) { print "At " width " columns, the manual " what; failed = 1 }
  function check() {
    # The numbers that a countdown writes are lines of their own, not texts for the manual to hold.
    for (line in written)
      if (line !~ /^[0-9]+$/ && !index(page, line)) fail("lacks the line “" line "”")
    # Quotes open with “ and close with ”, three bytes each.
    while ((opening = index(page, "“")) && (span = index(substr(page, opening), "”"))) {
      quoted = substr(page, opening + 3, span - 4)
      if (!index(all_written, quoted))
        fail("quotes “" quoted "”, which the program never writes")
      page = substr(page, opening + span + 2)
    }
    if (width >= 80 && !index(footer, " " version " ")) fail("footer lacks the version " version)
  }
  FILENAME != ARGV[ARGC - 1] { written[$0]; all_written = all_written $0 "\n"; next }
  # Each page begins with its heading, as wide as the page; its lines are read as one, each line
  # break as a blank.
  /^COUNTDOWN\(1\)/ { if (width) check(); width = length($0); page = ""; next }
  /COUNTDOWN\(1\)$/ { footer = $0 }
  { sub(/^ */, ""); page = page " " $0 }
  END { check(); exit failed }' "$sessions"/*.out "$rendered"
