# Run by the target "packages": writes the release packages from one stripped install of the build,
# staged as under /usr. Every file in them has the modes of umask 022 and the release's time, and
# the archives list their files in name order, so that a rebuild anywhere gives the same bytes.
#   -D BINARY_DIR=<build folder>  -D ARCHIVE=<archive's name, without extension>
#   -D EPOCH=<release time>  -D DEB_NAME=<.deb's file name> (only where the build makes a .deb)
set(stage ${BINARY_DIR}/package-stage)
file(REMOVE_RECURSE ${stage})
set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${stage}
  ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix /usr --strip
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND chmod -R u=rwX,go=rX ${stage} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${stage} -exec touch --no-dereference --date=@${EPOCH} {} +
  COMMAND_ERROR_IS_FATAL ANY)

# The archives hold the staged tree in a folder of the archive's name, owned by root. GNU tar writes
# them because it can sort its entries, which neither CPack nor bsdtar can.
set(tar_stream tar --create --sort=name --format=gnu --owner=0 --group=0 --numeric-owner
  --directory=${stage} --transform=s,^usr,${ARCHIVE}, usr)
if(NOT DEB_NAME)
  # bsdtar turns the stream into a zip, in UTC because a zip holds local times.
  execute_process(COMMAND ${tar_stream} COMMAND env TZ=UTC bsdtar --create --format=zip --file=- @-
    OUTPUT_FILE ${BINARY_DIR}/${ARCHIVE}.zip COMMAND_ERROR_IS_FATAL ANY)
  return()
endif()
execute_process(COMMAND ${tar_stream} COMMAND gzip -9 -n
  OUTPUT_FILE ${BINARY_DIR}/${ARCHIVE}.tar.gz COMMAND_ERROR_IS_FATAL ANY)

# Installed-Size as dpkg-gencontrol reckons it: a KiB for each folder, the top one too, and for each
# file its size in KiB, rounded up.
execute_process(COMMAND find . -type d -printf "1024\\n" -o -printf "%s\\n"
  WORKING_DIRECTORY ${stage} OUTPUT_VARIABLE sizes COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "([0-9]+)\n" "+ (\\1 + 1023) / 1024 " sizes "${sizes}")
math(EXPR installed_size "0 ${sizes}")
execute_process(COMMAND dpkg-shlibdeps -O -e package-stage/usr/bin/countdown
  WORKING_DIRECTORY ${BINARY_DIR} OUTPUT_VARIABLE depends COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "^shlibs:Depends=([^\n]*)\n$" "\\1" depends "${depends}")
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
file(MAKE_DIRECTORY ${stage}/DEBIAN)
configure_file(${CMAKE_CURRENT_LIST_DIR}/control.in ${stage}/DEBIAN/control @ONLY)
execute_process(COMMAND find usr -type f COMMAND env LC_ALL=C sort COMMAND xargs md5sum
  WORKING_DIRECTORY ${stage} OUTPUT_FILE ${stage}/DEBIAN/md5sums COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND chmod -R u=rwX,go=rX ${stage}/DEBIAN COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${stage}/DEBIAN -exec touch --date=@${EPOCH} {} +
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${stage} ${BINARY_DIR}/${DEB_NAME}
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
