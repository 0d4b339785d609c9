# What CHANGELOG.md says of the sources. Under a top section "## Unreleased" they hold changes since
# the last release (countdown_unreleased is 1). The newest release's heading gives their time in
# seconds since 1970 (countdown_epoch), which SOURCE_DATE_EPOCH then carries through configure,
# unless its caller set it: their own time is then the sources'. A fault in that heading stops the
# making of packages (countdown_release_problem), never a build: configure only warns.
function(read_changelog markdown)
  file(STRINGS ${markdown} headings REGEX "^## ")
  string(REGEX MATCH "^(## Unreleased(;|$))?([^;]*)" unused "${headings}")
  set(countdown_unreleased 0)
  if(CMAKE_MATCH_1)
    set(countdown_unreleased 1)
  endif()
  set(heading ${CMAKE_MATCH_3})
  if(heading MATCHES "^## ([^ ]+) \\((.+)\\)$")
    set(release ${CMAKE_MATCH_1})
    # GNU date reads the time, and must write it back, in English, as it stands.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -d ${CMAKE_MATCH_2}
      "+%s;## ${release} (%a, %d %b %Y %H:%M:%S +0000)" OUTPUT_VARIABLE time
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  list(POP_FRONT time countdown_epoch heading_written)
  if(NOT heading STREQUAL heading_written)
    string(CONCAT countdown_release_problem "'${heading}' is not like '## 1.2.3 (Mon, 07 Dec "
      "2026 12:34:56 +0000)', with a time that exists, as GNU date reads it back")
  elseif(NOT release STREQUAL PROJECT_VERSION)
    string(CONCAT countdown_release_problem "the latest release is ${release}, not "
      "${PROJECT_VERSION}, the version in project(): each release needs its section")
  endif()
  if(countdown_release_problem)
    message(WARNING "CHANGELOG.md: ${countdown_release_problem}. The packages cannot be made.")
  endif()
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(countdown_epoch $ENV{SOURCE_DATE_EPOCH})
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${countdown_epoch})
  return(PROPAGATE countdown_unreleased countdown_epoch countdown_release_problem)
endfunction()

# The version of the sources. A release's is the number in project(). Unreleased changes, and in a
# git clone uncommitted ones to packaged files (all but tests/, .ci/, CONTRIBUTING.md and the dot
# files), add "+unreleased", which Debian sorts after the release and before the next; in a clone,
# with ".N.gHASH" after it, N being the commits since the release's (the oldest that holds the
# version in project()), which orders the builds, and HASH the commit's, then ".dirty" for
# uncommitted changes. countdown_unreleased becomes N, or N + 1 when dirty, for the Windows exe's
# numeric version. countdown_commit is the commit whose tree the packages hold, if one does. A
# commit, and an edit of a packaged file, configure anew.
function(describe_sources)
  if(countdown_unreleased)
    set(suffix +unreleased)
  endif()
  find_package(Git QUIET)
  if(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
    set(git ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR})
    execute_process(COMMAND ${git} rev-parse --is-shallow-repository --git-path index --short HEAD
      OUTPUT_VARIABLE facts OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    string(REPLACE "\n" ";" facts "${facts}")
    list(POP_FRONT facts shallow index hash)
  endif()
  if(shallow)
    message(WARNING "A shallow clone cannot tell how many commits follow the release, and its "
      "version names no commit: 'git fetch --unshallow' fetches the history.")
  elseif(DEFINED shallow)
    set(packaged . :!tests :!.ci :!CONTRIBUTING.md :!.*)
    execute_process(COMMAND ${git} log --format=%H "-Scountdown VERSION ${PROJECT_VERSION}"
      -- CMakeLists.txt OUTPUT_VARIABLE commits COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCH "[0-9a-f]*\n$" countdown_commit "${commits}")
    string(STRIP "${countdown_commit}" countdown_commit)
    execute_process(COMMAND ${git} rev-list --count ${countdown_commit}..HEAD
      OUTPUT_VARIABLE count OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${git} diff --quiet HEAD -- ${packaged} RESULT_VARIABLE dirty)
    if(countdown_unreleased OR dirty)
      set(suffix +unreleased.${count}.g${hash})
      math(EXPR countdown_unreleased "${count} + ${dirty}")
      set(countdown_commit ${hash})
    endif()
    if(dirty)
      string(APPEND suffix .dirty)
      unset(countdown_commit)
    endif()
    execute_process(COMMAND ${git} ls-files -- ${packaged} OUTPUT_VARIABLE files)
    string(REGEX REPLACE "([^\n]+)\n" "${PROJECT_SOURCE_DIR}/\\1;" files "${files}")
    cmake_path(ABSOLUTE_PATH index BASE_DIRECTORY ${PROJECT_SOURCE_DIR})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${index} ${files})
  endif()
  set(countdown_version ${PROJECT_VERSION}${suffix})
  return(PROPAGATE countdown_version countdown_unreleased countdown_commit)
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
