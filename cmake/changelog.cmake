# What CHANGELOG.md and git say of the sources. The newest release's heading gives their time
# (countdown_epoch) unless the caller has set SOURCE_DATE_EPOCH; a fault in it stops the making of
# packages, never a build. Changes under a top section "## Unreleased" build as the release's number
# with "+unreleased", which Debian sorts after it and before the next, then, where git reads the
# clone, ".N.gHASH": N counts the commits since the release's (the oldest with project()'s version),
# and ".dirty" follows uncommitted changes to packaged files (all but tests/, .ci/, CONTRIBUTING.md
# and dot files). N, + 1 if dirty, is the Windows exe's fourth number. countdown_commit is the
# commit that the packages hold. Commits and edits of packaged files configure anew.
function(describe_sources markdown)
  file(STRINGS ${markdown} headings REGEX "^## ")
  string(REGEX MATCH "^(## Unreleased(;|$))?([^;]*)" unused "${headings}")
  string(COMPARE NOTEQUAL "${CMAKE_MATCH_1}" "" countdown_unreleased)
  set(heading ${CMAKE_MATCH_3})
  string(REGEX MATCH "^## ([^ ]*) \\((.*)\\)$" unused "${heading}")
  set(release ${CMAKE_MATCH_1})
  # GNU date reads the time, and must write it back, in English, as it stands.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -d ${CMAKE_MATCH_2}
    "+%s;## ${release} (%a, %d %b %Y %H:%M:%S +0000)" OUTPUT_VARIABLE read
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  list(POP_FRONT read countdown_epoch heading_read)
  if(NOT heading STREQUAL heading_read)
    string(CONCAT countdown_release_problem "'${heading}' is not like '## 1.2.3 (Mon, 07 Dec "
      "2026 12:34:56 +0000)', with a time that exists, as GNU date reads it back")
  elseif(NOT release STREQUAL PROJECT_VERSION)
    string(CONCAT countdown_release_problem "the latest release is ${release}, not "
      "${PROJECT_VERSION}, the version in project(): each release needs its section")
  endif()
  if(countdown_release_problem)
    message(WARNING "CHANGELOG.md: ${countdown_release_problem}. The packages cannot be made.")
  endif()
  if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} ${countdown_epoch})
  endif()
  set(countdown_epoch $ENV{SOURCE_DATE_EPOCH})
  set(countdown_version ${PROJECT_VERSION})
  if(countdown_unreleased)
    string(APPEND countdown_version +unreleased)
  endif()
  if(EXISTS ${PROJECT_SOURCE_DIR}/.git)
    set(git git -C ${PROJECT_SOURCE_DIR})
    execute_process(COMMAND ${git} rev-parse --is-shallow-repository --git-path index --short HEAD
      OUTPUT_VARIABLE facts RESULT_VARIABLE unusable)
  endif()
  if(facts AND NOT unusable)
    set(packaged -- . :!tests :!.ci :!CONTRIBUTING.md :!.*)
    execute_process(COMMAND ${git} log --format=%H "-Scountdown VERSION ${PROJECT_VERSION}"
      -- CMakeLists.txt COMMAND tail -n 1 OUTPUT_VARIABLE countdown_commit
      OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${git} rev-list --count ${countdown_commit}..HEAD OUTPUT_VARIABLE count)
    execute_process(COMMAND ${git} diff --quiet HEAD ${packaged} RESULT_VARIABLE dirty)
    # The rest are the packaged files' paths, from the top of the sources, where CMake reads them.
    execute_process(COMMAND ${git} ls-files ${packaged} OUTPUT_VARIABLE files)
    string(REPLACE "\n" ";" facts "${facts}${count}${files}")
    list(POP_FRONT facts shallow index hash count)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${index} ${facts})
    if(shallow)
      message(WARNING "A shallow clone counts only the commits it holds: git fetch --unshallow")
    endif()
    if(countdown_unreleased OR dirty)
      set(countdown_version ${PROJECT_VERSION}+unreleased.${count}.g${hash})
      math(EXPR countdown_unreleased "${count} + ${dirty}")
      set(countdown_commit ${hash})
    endif()
    if(dirty)
      string(APPEND countdown_version .dirty)
      unset(countdown_commit)
    endif()
  endif()
  return(PROPAGATE countdown_version countdown_unreleased countdown_epoch countdown_release_problem
    countdown_commit)
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
