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

# The release, from the first heading of CHANGELOG.md, which must be project()'s version: its time
# as the heading gives it (countdown_release_time), and its date as yyyy-mm-dd for the manual page
# (countdown_release_date). CMake alone reads them, so that any system can configure; the packages,
# which need GNU tools anyway, check the time with GNU date.
function(read_release markdown)
  file(STRINGS ${markdown} heading REGEX "^## " LIMIT_COUNT 1)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  set(time "[A-Z][a-z][a-z], ([0-9][0-9]) ([A-Za-z]+) ([0-9]+) [0-9][0-9]:[0-9][0-9]:[0-9][0-9]")
  if(heading MATCHES "^## ([^ ]+) \\((${time} \\+0000)\\)$")
    list(FIND months "${CMAKE_MATCH_4}" month_index)
  endif()
  if(NOT month_index GREATER_EQUAL 0)
    message(FATAL_ERROR "CHANGELOG.md: '${heading}' is not like "
      "'## 1.2.3 (Mon, 07 Dec 2026 12:34:56 +0000)'")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "CHANGELOG.md: the latest entry is for ${CMAKE_MATCH_1}, not for "
      "${PROJECT_VERSION}; each release needs its entry there")
  endif()
  math(EXPR month "101 + ${month_index}")  # 101 to 112, for the last two digits
  string(SUBSTRING ${month} 1 2 month)
  set(countdown_release_time "${CMAKE_MATCH_2}" PARENT_SCOPE)
  set(countdown_release_date "${CMAKE_MATCH_5}-${month}-${CMAKE_MATCH_3}" PARENT_SCOPE)
endfunction()

install(TARGETS countdown RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(WIN32)
  # A Windows package is unpacked and read where it lands.
  install(FILES README.md LICENSE DESTINATION .)
else()
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
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

# The packages are written by GNU and Debian tools, which a native Windows build lacks.
if(NOT CMAKE_HOST_UNIX)
  return()
endif()

# Both release presets put their packages into one folder, with one list of checksums.
set(COUNTDOWN_PACKAGE_DIR ${PROJECT_BINARY_DIR} CACHE PATH "Where the target packages writes to")
if(WIN32)
  set(package_system win64)
  set(deb OFF)
else()
  string(TOLOWER ${CMAKE_SYSTEM_NAME} package_system)
  set(deb ON)
endif()
add_custom_target(packages
  COMMAND ${CMAKE_COMMAND} -D BINARY_DIR=${PROJECT_BINARY_DIR}
    -D PACKAGE_DIR=${COUNTDOWN_PACKAGE_DIR} -D NAME=${PROJECT_NAME} -D VERSION=${PROJECT_VERSION}
    -D SYSTEM=${package_system} "-DRELEASE_TIME=${countdown_release_time}" -D DEB=${deb}
    -D PROGRAM=$<TARGET_FILE_NAME:countdown> -D STRIP=${CMAKE_STRIP}
    -P ${PROJECT_SOURCE_DIR}/cmake/write_packages.cmake
  COMMENT "Writing the release packages into ${COUNTDOWN_PACKAGE_DIR}" VERBATIM)
add_dependencies(packages countdown)
