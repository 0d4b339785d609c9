# What the sources are: unreleased or a release's, the release's commit, which files are packaged,
# and the version that a build carries. The build includes this file; CI and the documents' lines
# ask it as "cmake -P cmake/sources.cmake QUESTION": unreleased, release-commit or unlisted-changes.

cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH countdown_top)
# What goes into a package or builds one, as git's pathspec: all but tests, CI and the dot files.
set(countdown_packaged_files . :!tests :!.ci :!CONTRIBUTING.md :!.*)

function(git_output out)
  execute_process(COMMAND git -C ${countdown_top} ${ARGN} OUTPUT_VARIABLE output
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(${out} "${output}" PARENT_SCOPE)
endfunction()

# 1 where CHANGELOG.md's first section is "## Unreleased", which lists changes since the release.
function(unreleased out)
  file(STRINGS ${countdown_top}/CHANGELOG.md heading REGEX "^## " LIMIT_COUNT 1)
  string(COMPARE EQUAL "${heading}" "## Unreleased" answer)
  set(${out} ${answer} PARENT_SCOPE)
endfunction()

# The release's commit: the oldest that holds project()'s version, which only the whole history has.
function(release_commit out)
  git_output(shallow rev-parse --is-shallow-repository)
  if(NOT shallow STREQUAL "false")
    message(FATAL_ERROR "A shallow clone lacks the release's commit, as do sources outside git: "
      "'git fetch --unshallow' fetches the history.")
  endif()
  file(STRINGS ${countdown_top}/CMakeLists.txt line REGEX "^project\\(countdown " LIMIT_COUNT 1)
  string(REGEX MATCH "countdown VERSION [^ ]+" version "${line}")
  git_output(commits log --reverse --format=%H -S${version} -- CMakeLists.txt)
  string(REGEX MATCH "^[0-9a-f]*" commit "${commits}")
  set(${out} ${commit} PARENT_SCOPE)
endfunction()

# The version that a build carries, as README.md tells, and the commit that its source archive
# holds. An archive carries its version in .tarball-version. Only a clone with the whole history
# counts commits and sees uncommitted changes (".dirty", which no commit holds); elsewhere, as in a
# shallow clone, unreleased changes build as the release's version with "+unreleased".
function(build_version version_out commit_out)
  set(version ${PROJECT_VERSION})
  set(commit "")
  set(shallow "")
  unreleased(unreleased)
  # Configure runs again when these change: a commit, an amend or a checkout moves HEAD, which git
  # logs, but an uncommitted edit shows at the next configure.
  set(inputs ${countdown_top}/CHANGELOG.md)
  if(EXISTS ${countdown_top}/.tarball-version)
    file(STRINGS ${countdown_top}/.tarball-version version LIMIT_COUNT 1)
    list(APPEND inputs ${countdown_top}/.tarball-version)
  elseif(EXISTS ${countdown_top}/.git)
    git_output(shallow rev-parse --is-shallow-repository)
  endif()

  if(shallow STREQUAL "false")
    git_output(log rev-parse --path-format=absolute --git-path logs/HEAD)
    list(APPEND inputs ${log})
    execute_process(COMMAND git -C ${countdown_top} diff --quiet HEAD -- ${countdown_packaged_files}
      RESULT_VARIABLE dirty)
    release_commit(commit)
    if(unreleased OR dirty)
      git_output(count rev-list --count ${commit}..HEAD)
      git_output(commit rev-parse HEAD)
      # As many digits of the hash in every clone, so that a commit builds the same bytes.
      string(SUBSTRING ${commit} 0 7 hash)
      string(APPEND version +unreleased.${count}.g${hash})
    endif()
    if(dirty)
      string(APPEND version .dirty)
      set(commit "")
    endif()
  elseif(unreleased AND NOT EXISTS ${countdown_top}/.tarball-version)
    string(APPEND version +unreleased)
  endif()
  if(shallow STREQUAL "true")
    message(WARNING "A shallow clone builds as sources without git do: 'git fetch --unshallow'.")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${inputs})
  set(${version_out} ${version} PARENT_SCOPE)
  set(${commit_out} ${commit} PARENT_SCOPE)
endfunction()

# Stops where packaged files differ from the release's commit while CHANGELOG.md's first section is
# the release's: a change must be listed under "## Unreleased".
function(unlisted_changes out)
  unreleased(unreleased)
  if(NOT unreleased)
    release_commit(release)
    git_output(changes diff --stat ${release} -- ${countdown_packaged_files})
    if(changes)
      message(FATAL_ERROR "${changes}\nThese differ from the release: list the change under a "
        "section '## Unreleased' at the top of CHANGELOG.md.")
    endif()
  endif()
  set(${out} "" PARENT_SCOPE)
endfunction()

# Run as a script, it prints the answer to the question that its argument names.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  string(REPLACE - _ question "${CMAKE_ARGV3}")
  cmake_language(CALL ${question} answer)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${answer})
endif()
