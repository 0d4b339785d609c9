# What the release packages hold and how they describe themselves. The version in project() is the
# only one: the packages, the manual page and the Windows version resource all take theirs from it.
include(GNUInstallDirs)

set(CPACK_PACKAGE_CONTACT "The countdown developers <countdown@example.org>")

# Debian wants a package's changelog in its own format: each "## <version> (<date>)" section of
# CHANGELOG.md becomes an entry, and its "- " items and their continuation lines the entry's text.
function(write_debian_changelog markdown output)
  file(STRINGS ${markdown} lines)
  set(entries "")
  set(trailer "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^## ([^ ]+) \\((.+)\\)$")
      set(version ${CMAKE_MATCH_1})
      set(date "${CMAKE_MATCH_2}")
      if(NOT entries AND NOT version STREQUAL PROJECT_VERSION)
        message(WARNING "The latest entry of CHANGELOG.md is for ${version}, not ${PROJECT_VERSION}")
      endif()
      string(APPEND entries "${trailer}${PROJECT_NAME} (${version}) stable; urgency=medium\n\n")
      set(trailer "\n -- ${CPACK_PACKAGE_CONTACT}  ${date} 00:00:00 +0000\n\n")
    elseif(line MATCHES "^- (.*)$")
      string(APPEND entries "  * ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^  (.*)$")
      string(APPEND entries "    ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
  string(STRIP "${entries}${trailer}" entries)
  file(WRITE ${output} "${entries}\n")
endfunction()

install(TARGETS countdown RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(WIN32)
  # A Windows package is unpacked and read where it lands.
  install(FILES README.md LICENSE DESTINATION .)
else()
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

  # Honours SOURCE_DATE_EPOCH, so a rebuild of a release can carry the release's date.
  string(TIMESTAMP countdown_release_date "%Y-%m-%d" UTC)
  configure_file(doc/countdown.1.in countdown.1 @ONLY)
  write_debian_changelog(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_BINARY_DIR}/changelog)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS CHANGELOG.md)
  # Compressed as Debian wants them: at gzip's best, without a name or time in the header.
  execute_process(COMMAND gzip -9 -n -k -f countdown.1 changelog
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${PROJECT_BINARY_DIR}/countdown.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_PACKAGE_DESCRIPTION [=[
countdown greets you, offers a menu to start a countdown or to exit,
and asks how many seconds to count. It then writes the seconds left,
one line per second, and ends with a closing message before the menu
comes back. Anything but a whole number of at least 1 is refused with
a message. It reads only standard input, so a script can drive it too.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
