# What the release packages hold and how they describe themselves. The version in project() is the
# only one: the packages, the manual page and the Windows version resource all take theirs from it.
include(GNUInstallDirs)

set(countdown_maintainer "The countdown developers <countdown@example.org>")

# Debian wants a package's changelog in its own format: each "## <version> (<date>)" section of
# CHANGELOG.md becomes an entry, and its "- " items and their continuation lines the entry's text.
function(write_debian_changelog markdown output)
  # The lines are read into a CMake list, which does not split within square brackets.
  file(STRINGS ${markdown} bracketed REGEX "[][]")
  if(bracketed)
    message(FATAL_ERROR "CHANGELOG.md: a square bracket, which CMake cannot read: ${bracketed}")
  endif()
  file(STRINGS ${markdown} lines)
  set(entries "")
  set(trailer "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^## ([^ ]+) \\((.+)\\)$")
      string(APPEND entries "${trailer}"
        "${PROJECT_NAME} (${CMAKE_MATCH_1}) stable; urgency=medium\n\n")
      set(trailer "\n -- ${countdown_maintainer}  ${CMAKE_MATCH_2}\n\n")
    elseif(line MATCHES "^- (.*)$")
      string(APPEND entries "  * ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^  (.*)$")
      string(APPEND entries "    ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
  string(STRIP "${entries}${trailer}" entries)
  file(WRITE ${output} "${entries}\n")
endfunction()

# The release, from the first heading of CHANGELOG.md, which must be project()'s version: its date
# as countdown_release_date (yyyy-mm-dd) for the manual page, and its time as
# countdown_release_epoch (seconds since 1970) for the packages' files.
function(read_release markdown)
  file(STRINGS ${markdown} heading REGEX "^## " LIMIT_COUNT 1)
  if(NOT heading MATCHES "^## ([^ ]+) \\((.+)\\)$")
    message(FATAL_ERROR "CHANGELOG.md: '${heading}' is not like "
      "'## 1.2.3 (Mon, 07 Dec 2026 12:34:56 +0000)'")
  endif()
  set(date "${CMAKE_MATCH_2}")
  if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "CHANGELOG.md: the latest entry is for ${CMAKE_MATCH_1}, not for "
      "${PROJECT_VERSION}; each release needs its entry there")
  endif()
  execute_process(COMMAND date -u -d "${date}" +%s OUTPUT_VARIABLE epoch
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # Read back through CMake's own calendar, which also catches a wrong day of the week or a date
  # that GNU date would take in another form.
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
  string(TIMESTAMP date_read_back "%a, %d %b %Y %H:%M:%S +0000" UTC)
  if(NOT epoch MATCHES "^[0-9]+$" OR NOT date_read_back STREQUAL date)
    message(FATAL_ERROR "CHANGELOG.md: '${heading}' needs the release's time in UTC, "
      "like (${date_read_back})")
  endif()
  string(TIMESTAMP release_date "%Y-%m-%d" UTC)
  set(countdown_release_date ${release_date} PARENT_SCOPE)
  set(countdown_release_epoch ${epoch} PARENT_SCOPE)
endfunction()

install(TARGETS countdown RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(WIN32)
  # A Windows package is unpacked and read where it lands.
  install(FILES README.md LICENSE DESTINATION .)
else()
  # A stripped program loses the compilers' notes too, as Debian strips its own.
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/countdown\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
endif()

# Where nothing is packaged, as in a native Windows build, the release's time is not needed.
if(NOT CMAKE_HOST_UNIX)
  return()
endif()
read_release(${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS CHANGELOG.md)

if(NOT WIN32)
  # The files that Debian's tools read to write a .deb's control data.
  configure_file(cmake/debian-control.in debian/control @ONLY)
  write_debian_changelog(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_BINARY_DIR}/debian/changelog)
  configure_file(doc/countdown.1.in countdown.1 @ONLY)
  # Compressed as Debian wants them: at gzip's best, without a name or time in the header.
  execute_process(COMMAND gzip -9 -n -k -f countdown.1 debian/changelog
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${PROJECT_BINARY_DIR}/countdown.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

# Both release presets put their packages into one folder, with one list of checksums.
set(COUNTDOWN_PACKAGE_DIR ${PROJECT_BINARY_DIR} CACHE PATH "Where the target packages writes to")
if(WIN32)
  set(package_system win64)
  set(deb OFF)
else()
  set(package_system ${CMAKE_SYSTEM_NAME})
  set(deb ON)
endif()
add_custom_target(packages
  COMMAND ${CMAKE_COMMAND} -D BINARY_DIR=${PROJECT_BINARY_DIR}
    -D PACKAGE_DIR=${COUNTDOWN_PACKAGE_DIR} -D NAME=${PROJECT_NAME} -D VERSION=${PROJECT_VERSION}
    -D SYSTEM=${package_system} -D EPOCH=${countdown_release_epoch} -D DEB=${deb}
    -P ${PROJECT_SOURCE_DIR}/cmake/write_packages.cmake
  COMMENT "Writing the release packages into ${COUNTDOWN_PACKAGE_DIR}" VERBATIM)
add_dependencies(packages countdown)
