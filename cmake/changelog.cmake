# What CHANGELOG.md says of the sources. Under a top section "## Unreleased" they hold changes since
# the last release: countdown_version is its number with "+unreleased", which Debian sorts after it,
# and countdown_unreleased is 1. The newest release's heading gives their time, as it would in
# Debian: in seconds since 1970 (countdown_epoch) and in SOURCE_DATE_EPOCH for the rest of configure.
# A fault in that heading stops the making of packages (countdown_release_problem), never a build.
function(read_changelog markdown)
  file(STRINGS ${markdown} headings REGEX "^## ")
  string(REGEX MATCH "^(## Unreleased(;|$))?([^;]*)" unused "${headings}")
  set(countdown_unreleased 0)
  set(countdown_version ${PROJECT_VERSION})
  if(CMAKE_MATCH_1)
    set(countdown_unreleased 1)
    string(APPEND countdown_version +unreleased)
  endif()
  set(heading ${CMAKE_MATCH_3})
  if(heading MATCHES "^## ([^ ]+) \\((.+)\\)$")
    set(release ${CMAKE_MATCH_1})
    set(time ${CMAKE_MATCH_2})
    # GNU date reads the time, and CMake's calendar must write it back as it stands, in UTC.
    execute_process(COMMAND date -d ${time} +%s OUTPUT_VARIABLE countdown_epoch
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    set(ENV{SOURCE_DATE_EPOCH} ${countdown_epoch})
    string(TIMESTAMP time_written "%a, %d %b %Y %H:%M:%S +0000" UTC)
  endif()
  if(NOT time OR NOT time STREQUAL time_written)
    string(CONCAT countdown_release_problem "'${heading}' is not like "
      "'## 1.2.3 (Mon, 07 Dec 2026 12:34:56 +0000)', with a time that exists")
  elseif(NOT release STREQUAL PROJECT_VERSION)
    string(CONCAT countdown_release_problem "the latest release is ${release}, not "
      "${PROJECT_VERSION}, the version in project(): each release needs its section")
  endif()
  return(PROPAGATE countdown_version countdown_unreleased countdown_epoch countdown_release_problem)
endfunction()

# Debian wants a package's changelog in its own format: each "## <version> (<date>)" section of
# CHANGELOG.md becomes an entry, and its "- " items and their continuation lines the entry's text.
# Those of the Unreleased section have no version or time for one, and are left out.
function(write_debian_changelog markdown output)
  file(READ ${markdown} text)
  # Each section is marked at its start by a character that Markdown text does not hold, so that
  # one pattern takes each section whole, and what comes before the first release's is dropped.
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
