# What the packages hold and how they describe themselves. GNU and Debian tools write them.
include(GNUInstallDirs)
include(cmake/changelog.cmake)
set(countdown_maintainer "The countdown developers <countdown@example.org>")
# The packaged files are dated by the caller's SOURCE_DATE_EPOCH, or else by the newest release.
release_time(countdown_epoch countdown_release_problem)
if(countdown_release_problem)
  message(WARNING "CHANGELOG.md: ${countdown_release_problem}. The packages cannot be made.")
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(countdown_epoch $ENV{SOURCE_DATE_EPOCH})
endif()
set(COUNTDOWN_PACKAGE_DIR ${PROJECT_BINARY_DIR} CACHE PATH "Where the target packages writes to")
add_custom_target(packages
  COMMAND ${CMAKE_COMMAND} -D BINARY_DIR=${PROJECT_BINARY_DIR}
    -D PACKAGE_DIR=${COUNTDOWN_PACKAGE_DIR} -D NAME=${PROJECT_NAME} -D VERSION=${countdown_version}
    -D EPOCH=${countdown_epoch} "-D PROBLEM=${countdown_release_problem}"
    -D COMMIT=${countdown_commit} -D WINDOWS=$<PLATFORM_ID:Windows>
    -D PROGRAM=$<TARGET_FILE_NAME:countdown> -D STRIP=${CMAKE_STRIP}
    -P ${PROJECT_SOURCE_DIR}/cmake/write_packages.cmake
  COMMENT "Writing the packages into ${COUNTDOWN_PACKAGE_DIR}" VERBATIM)
add_dependencies(packages countdown)
# The documents keep their own names, and the licence its own folder, as Fedora and Arch want. A
# Windows package is unpacked and read where it lands.
install(TARGETS countdown RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md CHANGELOG.md DESTINATION $<IF:$<BOOL:${WIN32}>,.,${CMAKE_INSTALL_DOCDIR}>)
install(FILES LICENSE
  DESTINATION $<IF:$<BOOL:${WIN32}>,.,${CMAKE_INSTALL_DATADIR}/licenses/${PROJECT_NAME}>)
if(NOT WIN32)
  configure_file(doc/countdown.1.in countdown.1 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/countdown.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # What Debian's tools read to write a .deb's control data, in a folder of the build's own, so
  # that an in-source build leaves a distribution's debian/ alone.
  configure_file(cmake/debian-control.in deb/debian/control @ONLY)
  write_debian_changelog(CHANGELOG.md ${PROJECT_BINARY_DIR}/deb/debian/changelog)
endif()
