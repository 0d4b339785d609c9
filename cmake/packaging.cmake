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
      string(APPEND entries "${trailer}${PROJECT_NAME} (${CMAKE_MATCH_1}) stable; urgency=medium\n\n")
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
  string(CONCAT date_pattern "[A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) "
    "([0-9][0-9]):([0-9][0-9]):([0-9][0-9]) \\+0000")
  if(NOT heading MATCHES "^## ([^ ]+) \\((${date_pattern})\\)$")
    message(FATAL_ERROR "CHANGELOG.md: '${heading}' is not like "
      "'## 1.2.3 (Mon, 07 Dec 2026 12:34:56 +0000)'")
  endif()
  set(version ${CMAKE_MATCH_1})
  set(date "${CMAKE_MATCH_2}")
  set(day ${CMAKE_MATCH_3})
  set(month_name ${CMAKE_MATCH_4})
  set(year ${CMAKE_MATCH_5})
  set(seconds_of_day "${CMAKE_MATCH_6} * 3600 + ${CMAKE_MATCH_7} * 60 + ${CMAKE_MATCH_8}")
  if(NOT version STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "CHANGELOG.md: the latest entry is for ${version}, not for "
      "${PROJECT_VERSION}; each release needs its entry there")
  endif()
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND months ${month_name} month)
  math(EXPR month "${month} + 1")
  # Days since 1970-01-01. Years are counted from March, so that a leap day ends its year.
  if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR month "${month} + 12")
  endif()
  math(EXPR epoch "(365 * ${year} + ${year} / 4 - ${year} / 100 + ${year} / 400
    + (153 * ${month} - 457) / 5 + ${day} - 719469) * 86400 + ${seconds_of_day}")
  # Read back through CMake's own calendar, which also catches a day or time that does not exist or
  # a wrong day of the week.
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP date_read_back "%a, %d %b %Y %H:%M:%S +0000" UTC)
  if(NOT date_read_back STREQUAL date)
    message(FATAL_ERROR "CHANGELOG.md: (${date}) in '${heading}' should be (${date_read_back})")
  endif()
  string(TIMESTAMP release_date "%Y-%m-%d" UTC)
  set(countdown_release_date ${release_date} PARENT_SCOPE)
  set(countdown_release_epoch ${epoch} PARENT_SCOPE)
endfunction()

read_release(${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS CHANGELOG.md)

install(TARGETS countdown RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(WIN32)
  # A Windows package is unpacked and read where it lands.
  install(FILES README.md LICENSE DESTINATION .)
else()
  # A stripped program loses the compilers' notes too, as Debian strips its own.
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:countdown>\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

  configure_file(doc/countdown.1.in countdown.1 @ONLY)
  write_debian_changelog(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_BINARY_DIR}/changelog)
  # Compressed as Debian wants them: at gzip's best, without a name or time in the header.
  execute_process(COMMAND gzip -9 -n -k -f countdown.1 changelog
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${PROJECT_BINARY_DIR}/countdown.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
  configure_file(cmake/debian-control.in debian/control @ONLY)
endif()

if(CMAKE_HOST_UNIX)
  if(WIN32)
    set(archive ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
  else()
    set(archive ${PROJECT_NAME}-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME})
    execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE deb_architecture
      OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(deb_name ${PROJECT_NAME}_${PROJECT_VERSION}_${deb_architecture}.deb)
  endif()
  add_custom_target(packages
    COMMAND ${CMAKE_COMMAND} -D BINARY_DIR=${PROJECT_BINARY_DIR} -D ARCHIVE=${archive}
      -D EPOCH=${countdown_release_epoch} -D DEB_NAME=${deb_name} -D VERSION=${PROJECT_VERSION}
      -P ${PROJECT_SOURCE_DIR}/cmake/write_packages.cmake
    VERBATIM)
  add_dependencies(packages countdown)
endif()
