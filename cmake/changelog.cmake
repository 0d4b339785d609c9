# What CHANGELOG.md says of its releases: the newest one's time, and Debian's changelog.

# The time of the newest release, in seconds since 1970, as its heading gives it: what the packaged
# files are dated by. `problem` says what keeps the heading from serving, which stops the making of
# packages, never a build.
function(release_time epoch problem)
  file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md heading REGEX "^## [0-9]" LIMIT_COUNT 1)
  set(seconds "")
  set(heading_read "")
  if(heading MATCHES "^## ([^ ]+) \\((.+)\\)$")
    set(release ${CMAKE_MATCH_1})
    # GNU date reads the time, and must write the heading back, in English, as it stands.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -d ${CMAKE_MATCH_2}
      "+%s;## ${release} (%a, %d %b %Y %H:%M:%S +0000)" OUTPUT_VARIABLE read
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(read MATCHES "^([0-9]+);(.*)$")
      set(seconds ${CMAKE_MATCH_1})
      set(heading_read ${CMAKE_MATCH_2})
    endif()
  endif()

  set(text "")
  if(NOT heading_read OR NOT heading STREQUAL heading_read)
    string(CONCAT text "'${heading}' is not like '## 1.2.3 (Mon, 07 Dec 2026 12:34:56 +0000)', "
      "with a time that exists, as GNU date reads it back")
  elseif(NOT release STREQUAL PROJECT_VERSION)
    string(CONCAT text "the latest release is ${release}, not ${PROJECT_VERSION}, the version in "
      "project(): each release needs its section")
  endif()
  set(${problem} "${text}" PARENT_SCOPE)
  set(${epoch} ${seconds} PARENT_SCOPE)
endfunction()

# Debian's changelog of the package: each release's section of CHANGELOG.md becomes an entry, its
# "- " items and their continuation lines the entry's text.
function(write_debian_changelog markdown output)
  file(READ ${markdown} text)
  # A character that Markdown text lacks marks each section's start, for one pattern to take each.
  string(ASCII 1 start)
  string(REPLACE "\n## " "\n${start}" text "${text}")
  string(REPLACE "\n  " "\n    " text "${text}")
  string(REPLACE "\n- " "\n  * " text "${text}")
  string(REGEX REPLACE "^[^${start}]+(${start}Unreleased\n[^${start}]*)?" "" text "${text}")
  string(REGEX REPLACE "${start}([^ ]+) \\(([^)]+)\\)\n([^${start}]*[^${start}\n])\n*"
    "${PROJECT_NAME} (\\1) stable; urgency=medium\n\\3\n\n -- ${countdown_maintainer}  \\2\n\n"
    text "${text}")
  string(STRIP "${text}" text)
  file(WRITE ${output} "${text}\n")
endfunction()
