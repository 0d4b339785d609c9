# What the release packages hold and how they describe themselves. The version in project() is the
# only one: the packages, the manual page and the Windows version resource all take theirs from it.
include(GNUInstallDirs)

set(countdown_maintainer "The countdown developers <countdown@example.org>")

# Debian wants a package's changelog in its own format: each "## <version> (<date>)" section of
# CHANGELOG.md becomes an entry, and its "- " items and their continuation lines the entry's text.
function(write_debian_changelog markdown output)
  file(READ ${markdown} text)
  # Each section is marked at its start by a character that Markdown text does not hold, so that
  # one pattern takes each section whole.
  string(ASCII 1 start)
  string(REPLACE "\n## " "\n${start}" text "${text}")
  string(REPLACE "\n  " "\n    " text "${text}")
  string(REPLACE "\n- " "\n  * " text "${text}")
  string(FIND "${text}" ${start} first)
  string(SUBSTRING "${text}" ${first} -1 text)
  string(REGEX REPLACE "${start}([^ ]+) \\(([^)]+)\\)\n([^${start}]*[^${start}\n])\n*"
    "${PROJECT_NAME} (\\1) stable; urgency=medium\n\\3\n\n -- ${countdown_maintainer}  \\2\n\n"
    text "${text}")
  string(STRIP "${text}" text)
  file(WRITE ${output} "${text}\n")
endfunction()

# The release is the first heading of CHANGELOG.md, which must be for project()'s version. Its time
# is counted in seconds since 1970 (countdown_release_epoch) and read back through CMake's own
# calendar, which also catches a wrong day of the week or a date that does not exist. The manual
# page takes the date as yyyy-mm-dd (countdown_release_date).
function(read_release markdown)
  file(STRINGS ${markdown} heading REGEX "^## " LIMIT_COUNT 1)
  set(number "([0-9]+)")
  set(time "[A-Z][a-z][a-z], ${number} ([A-Z][a-z][a-z]) ${number} ${number}:${number}:${number}")
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  if(heading MATCHES "^## ([^ ]+) \\((${time}) \\+0000\\)$")
    list(FIND months ${CMAKE_MATCH_4} month)
  endif()
  if(NOT month GREATER_EQUAL 0)
    message(FATAL_ERROR "CHANGELOG.md: '${heading}' is not like "
      "'## 1.2.3 (Mon, 07 Dec 2026 12:34:56 +0000)'")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "CHANGELOG.md: the latest entry is for ${CMAKE_MATCH_1}, not for "
      "${PROJECT_VERSION}; each release needs its entry there")
  endif()
  # Days since 1970 count the leap days up to the date's year, whose own counts from March on
  # ((month + 10) / 12 is 1 from March), less the 477 that came before 1970.
  set(days_before_month 0 31 59 90 120 151 181 212 243 273 304 334)
  list(GET days_before_month ${month} days_before)
  math(EXPR leap_years_to "${CMAKE_MATCH_5} - 1 + (${month} + 10) / 12")
  math(EXPR epoch "((365 * (${CMAKE_MATCH_5} - 1970) + ${leap_years_to} / 4 - ${leap_years_to} / 100
    + ${leap_years_to} / 400 - 477 + ${days_before} + ${CMAKE_MATCH_3} - 1) * 24 + ${CMAKE_MATCH_6})
    * 3600 + ${CMAKE_MATCH_7} * 60 + ${CMAKE_MATCH_8}")
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP time_read_back "%a, %d %b %Y %H:%M:%S" UTC)
  if(NOT time_read_back STREQUAL CMAKE_MATCH_2)
    message(FATAL_ERROR "CHANGELOG.md: '${CMAKE_MATCH_2}' is no time; '${time_read_back}' is")
  endif()
  string(TIMESTAMP date "%Y-%m-%d" UTC)
  set(countdown_release_epoch ${epoch} PARENT_SCOPE)
  set(countdown_release_date ${date} PARENT_SCOPE)
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

# The packages are written by GNU and Debian tools. Both release presets put theirs into one
# folder, with one list of checksums.
set(COUNTDOWN_PACKAGE_DIR ${PROJECT_BINARY_DIR} CACHE PATH "Where the target packages writes to")
add_custom_target(packages
  COMMAND ${CMAKE_COMMAND} -D BINARY_DIR=${PROJECT_BINARY_DIR}
    -D PACKAGE_DIR=${COUNTDOWN_PACKAGE_DIR} -D NAME=${PROJECT_NAME} -D VERSION=${PROJECT_VERSION}
    -D EPOCH=${countdown_release_epoch} -D WINDOWS=$<PLATFORM_ID:Windows>
    -D PROGRAM=$<TARGET_FILE_NAME:countdown> -D STRIP=${CMAKE_STRIP}
    -P ${PROJECT_SOURCE_DIR}/cmake/write_packages.cmake
  COMMENT "Writing the release packages into ${COUNTDOWN_PACKAGE_DIR}" VERBATIM)
add_dependencies(packages countdown)
