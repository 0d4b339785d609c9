# Run by the target "packages": writes the release packages from one stripped install of the build,
# then the checksums of all of this version's packages in PACKAGE_DIR, as sha256sum -c reads them.
# Every file in a package has the modes of umask 022 and the release's time, and the archives list
# their files in name order, so that the same source gives the same bytes wherever it is built.
#   -D BINARY_DIR=<build folder>  -D PACKAGE_DIR=<folder to write to>  -D NAME=<project>
#   -D VERSION=<project's>  -D SYSTEM=<linux, win64...>  -D RELEASE_TIME=<CHANGELOG.md's, in UTC>
#   -D DEB=<whether to write a .deb as well as an archive>  -D PROGRAM=<its file name>
#   -D STRIP=<the toolchain's strip>

# The release's time in seconds, read back through CMake's own calendar, which also catches a wrong
# day of the week or a time that GNU date would take in another form.
execute_process(COMMAND date -u -d "${RELEASE_TIME}" +%s OUTPUT_VARIABLE epoch
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(epoch MATCHES "^[0-9]+$")
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP time_read_back "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
if(NOT DEFINED time_read_back OR NOT time_read_back STREQUAL RELEASE_TIME)
  message(FATAL_ERROR "CHANGELOG.md: the release's time '${RELEASE_TIME}' is not one in UTC, "
    "as GNU date reads it: '${time_read_back}'")
endif()

set(stage ${BINARY_DIR}/stage)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${PACKAGE_DIR})
# Staged as installed under /usr, as a .deb holds it; the archives hold the same under their name.
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${stage}
  ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix /usr OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# Stripped once, as Debian strips its programs: of symbols, and of the compilers' notes too, which
# cmake --install --strip would leave.
execute_process(COMMAND ${STRIP} --remove-section=.comment --remove-section=.note
  ${stage}/usr/bin/${PROGRAM} COMMAND_ERROR_IS_FATAL ANY)

if(DEB)
  # The archive beside the .deb is named for its architecture too, by Debian's name for it.
  execute_process(COMMAND dpkg-architecture -qDEB_HOST_ARCH OUTPUT_VARIABLE architecture
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(APPEND SYSTEM -${architecture})
  # dpkg-shlibdeps finds the package's root by its DEBIAN folder. dpkg-gencontrol takes the rest of
  # the control data from debian/ in the build folder, and reckons Installed-Size from the files.
  file(MAKE_DIRECTORY ${stage}/DEBIAN)
  execute_process(COMMAND dpkg-shlibdeps -estage/usr/bin/${NAME}
    WORKING_DIRECTORY ${BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND dpkg-gencontrol -Pstage
    WORKING_DIRECTORY ${BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
  # What debhelper's dh_md5sums writes: no dpkg tool does it outside a source package.
  execute_process(COMMAND find usr -type f -print0 COMMAND env LC_ALL=C sort -z
    COMMAND xargs -0 md5sum
    WORKING_DIRECTORY ${stage} OUTPUT_FILE ${stage}/DEBIAN/md5sums COMMAND_ERROR_IS_FATAL ANY)
endif()

# dpkg-deb takes the files' modes and times as they are, and lowers later times to
# SOURCE_DATE_EPOCH but raises no earlier ones.
execute_process(COMMAND chmod -R u=rwX,go=rX ${stage} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${stage} -exec touch --no-dereference --date=@${epoch} {} +
  COMMAND_ERROR_IS_FATAL ANY)

# GNU tar, since it can sort the entries, as bsdtar and CMake's own tar cannot.
set(archive ${NAME}-${VERSION}-${SYSTEM})
set(tar_stream tar --create --sort=name --format=gnu --owner=0 --group=0 --numeric-owner
  --directory=${stage} --transform=s,^usr,${archive}, usr)
if(DEB)
  execute_process(COMMAND ${tar_stream} COMMAND gzip -9 -n
    OUTPUT_FILE ${PACKAGE_DIR}/${archive}.tar.gz COMMAND_ERROR_IS_FATAL ANY)
  # dpkg-deb names the package from its control data.
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${stage} ${PACKAGE_DIR}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
else()
  # bsdtar turns the stream into a zip, in UTC because a zip holds local times.
  execute_process(COMMAND ${tar_stream} COMMAND env TZ=UTC bsdtar --create --format=zip --file=- @-
    OUTPUT_FILE ${PACKAGE_DIR}/${archive}.zip COMMAND_ERROR_IS_FATAL ANY)
endif()

execute_process(COMMAND find . -maxdepth 1 -name "${NAME}[-_]${VERSION}[-_]*" -printf "%P\\0"
  COMMAND env LC_ALL=C sort -z COMMAND xargs -0 sha256sum
  WORKING_DIRECTORY ${PACKAGE_DIR} OUTPUT_FILE ${PACKAGE_DIR}/SHA256SUMS COMMAND_ERROR_IS_FATAL ANY)
