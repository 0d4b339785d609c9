# What the sources are: whether they hold unreleased changes, the release's commit, which files are
# packaged, and the version that a build of them carries. The build includes this file; CI and the
# documents' lines run it for one answer, as in "cmake -P cmake/sources.cmake release-commit".

# The top of the sources, also for a script, which has no project.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH countdown_top)

# A source archive has no history to take its version from, so it carries it in this file, as GNU's
# release archives do.
set(countdown_archive_version ${countdown_top}/.tarball-version)

# Runs git on the sources; what it prints, without the last line end, goes into `out`.
function(git_output out)
  execute_process(COMMAND git -C ${countdown_top} ${ARGN} OUTPUT_VARIABLE output
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(${out} ${output} PARENT_SCOPE)
endfunction()

# "true" where CHANGELOG.md's first section is "## Unreleased", which lists the changes made since
# the last release; "false" where it is a release's.
function(unreleased out)
  file(STRINGS ${countdown_top}/CHANGELOG.md heading REGEX "^## " LIMIT_COUNT 1)
  if(heading STREQUAL "## Unreleased")
    set(${out} true PARENT_SCOPE)
  else()
    set(${out} false PARENT_SCOPE)
  endif()
endfunction()

# The version in project(), read from CMakeLists.txt as written there: a script has no project(),
# and the release's commit is the one that wrote this text.
function(project_version out)
  file(STRINGS ${countdown_top}/CMakeLists.txt line REGEX "^project\\(countdown VERSION "
    LIMIT_COUNT 1)
  string(REGEX REPLACE "^project\\(countdown VERSION ([^ )]+).*" "\\1" version "${line}")
  set(${out} ${version} PARENT_SCOPE)
endfunction()

# How much of git's history the sources have: "whole" in a clone of the project, "shallow" in a
# shallow one, and "none" elsewhere: without git, in a source archive (also where a packaging
# repository holds it), in a folder inside another repository, and where git refuses the clone,
# as git then says.
function(git_history out)
  set(history none)
  if(EXISTS ${countdown_top}/.git AND NOT EXISTS ${countdown_archive_version})
    execute_process(COMMAND git -C ${countdown_top} rev-parse --is-shallow-repository
      OUTPUT_VARIABLE shallow OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(shallow STREQUAL "false")
      set(history whole)
    elseif(shallow STREQUAL "true")
      set(history shallow)
    endif()
  endif()
  set(${out} ${history} PARENT_SCOPE)
endfunction()

# The release's commit: the oldest that holds the version in project(), which the release set.
function(release_commit out)
  git_history(history)
  if(history STREQUAL "shallow")
    message(FATAL_ERROR "A shallow clone lacks the release's commit: fetch the history by "
      "'git fetch --unshallow'.")
  elseif(NOT history STREQUAL "whole")
    message(FATAL_ERROR "Only a git clone of countdown holds the release's commit.")
  endif()
  project_version(version)
  git_output(commits log --reverse --format=%H "-Scountdown VERSION ${version}" -- CMakeLists.txt)
  string(REGEX MATCH "^[0-9a-f]+" commit "${commits}")
  set(${out} ${commit} PARENT_SCOPE)
endfunction()

# The files that go into a package or build one, as a git pathspec: all but the tests, CI,
# CONTRIBUTING.md and the dot files.
function(packaged_files out)
  set(${out} . :!tests :!.ci :!CONTRIBUTING.md :!.* PARENT_SCOPE)
endfunction()

# "true" where packaged files differ from the commit checked out in a clone of the whole history.
function(uncommitted_changes out)
  packaged_files(files)
  execute_process(COMMAND git -C ${countdown_top} diff --quiet HEAD -- ${files}
    RESULT_VARIABLE differ)
  if(differ)
    set(${out} true PARENT_SCOPE)
  else()
    set(${out} false PARENT_SCOPE)
  endif()
endfunction()

# The version that a build carries: a source archive's own; in a clone, for unreleased or
# uncommitted changes, the release's with "+unreleased.N.gHASH", N counting the commits since the
# release's and HASH naming this one, then ".dirty" for uncommitted changes; without the history,
# the release's with "+unreleased" for unreleased changes. dpkg sorts them all after the release
# and before the next.
function(build_version out)
  if(EXISTS ${countdown_archive_version})
    file(STRINGS ${countdown_archive_version} version LIMIT_COUNT 1)
    set(${out} ${version} PARENT_SCOPE)
    return()
  endif()
  project_version(version)
  unreleased(unreleased)
  git_history(history)
  if(history STREQUAL "shallow")
    message(WARNING "A shallow clone lacks the history that the version counts: it builds as "
      "sources without git do. 'git fetch --unshallow' fetches the history.")
  endif()

  if(NOT history STREQUAL "whole")
    if(unreleased)
      string(APPEND version +unreleased)
    endif()
  else()
    uncommitted_changes(dirty)
    if(unreleased OR dirty)
      release_commit(release)
      git_output(count rev-list --count ${release}..HEAD)
      git_output(head rev-parse HEAD)
      # As many of the hash's digits in every clone, however many objects it holds, so that the
      # same commit builds the same bytes.
      string(SUBSTRING ${head} 0 7 hash)
      string(APPEND version +unreleased.${count}.g${hash})
      if(dirty)
        string(APPEND version .dirty)
      endif()
    endif()
  endif()
  set(${out} ${version} PARENT_SCOPE)
endfunction()

# The commit whose tree a build's source archive holds: the one checked out, or the release's where
# the sources are a release's. None for uncommitted changes, or without the history.
function(archived_commit out)
  set(commit "")
  git_history(history)
  if(history STREQUAL "whole")
    uncommitted_changes(dirty)
    unreleased(unreleased)
    if(unreleased AND NOT dirty)
      git_output(commit rev-parse HEAD)
    elseif(NOT dirty)
      release_commit(commit)
    endif()
  endif()
  set(${out} ${commit} PARENT_SCOPE)
endfunction()

# The four numbers of a version in Windows' version resource: its three, then 0 for a release, or
# else the commits since the release (1 where they are not counted), plus 1 for uncommitted changes.
function(windows_version version out)
  string(REGEX REPLACE "\\+.*" "" numbers ${version})
  set(commits 0)
  if(version MATCHES "\\+unreleased\\.([0-9]+)\\.")
    set(commits ${CMAKE_MATCH_1})
  elseif(version MATCHES "\\+")
    set(commits 1)
  endif()
  if(version MATCHES "\\.dirty$")
    math(EXPR commits "${commits} + 1")
  endif()
  set(${out} ${numbers}.${commits} PARENT_SCOPE)
endfunction()

# The files that the version is read from, for the build to configure again when one changes. A
# commit, an amend or a checkout moves HEAD, which git logs; an edit is seen at the next configure.
function(version_inputs out)
  set(inputs ${countdown_top}/CHANGELOG.md)
  if(EXISTS ${countdown_archive_version})
    list(APPEND inputs ${countdown_archive_version})
  endif()
  git_history(history)
  if(history STREQUAL "whole")
    git_output(log rev-parse --path-format=absolute --git-path logs/HEAD)
    if(EXISTS ${log})
      list(APPEND inputs ${log})
    endif()
  endif()
  set(${out} ${inputs} PARENT_SCOPE)
endfunction()

# What a change must list under "## Unreleased" in CHANGELOG.md: where its first section is a
# release's, git's summary of the packaged files that differ from the release's commit.
function(unlisted_changes out)
  set(changes "")
  unreleased(unreleased)
  if(NOT unreleased)
    release_commit(release)
    packaged_files(files)
    git_output(changes diff --stat ${release} -- ${files})
  endif()
  set(${out} "${changes}" PARENT_SCOPE)
endfunction()

# Run as a script, it prints the answer that its argument asks for: unreleased or release-commit.
# Asked for unlisted-changes, it stops where there are any, and says what to do.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  set(question "${CMAKE_ARGV3}")
  if(question STREQUAL "unreleased")
    unreleased(answer)
  elseif(question STREQUAL "release-commit")
    release_commit(answer)
  elseif(question STREQUAL "unlisted-changes")
    unlisted_changes(changes)
    if(changes)
      project_version(version)
      message(FATAL_ERROR "${changes}\nThese files differ from release ${version}: list the "
        "change under a section '## Unreleased' at the top of CHANGELOG.md.")
    endif()
    return()
  else()
    message(FATAL_ERROR "usage: cmake -P cmake/sources.cmake "
      "unreleased|release-commit|unlisted-changes")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${answer})
endif()
