# Run by the target "packages": writes the packages from one install of the build, then the
# checksums of all of this version's packages in PACKAGE_DIR, as sha256sum -c reads them. Every
# file in a package has the modes of umask 022 and the sources' time (EPOCH), and the archives list
# their files in name order, so that the same source gives the same bytes wherever it is built.
# WINDOWS is 1 for a zip, 0 for a .deb, a tar.gz and, of COMMIT if given, a source archive.
if(PROBLEM)
  message(FATAL_ERROR "CHANGELOG.md: ${PROBLEM}")
endif()
set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
set(stage ${BINARY_DIR}/stage)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${PACKAGE_DIR})
# Staged as installed under /usr, as a .deb holds it, and the archives under their name.
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${stage}
  ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix /usr OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# The Windows exe is linked stripped. A Linux program is stripped as Debian strips its own, of the
# compilers' notes too, which cmake --install --strip would leave, and named by Debian's name for
# the architecture.
set(system win64)
if(NOT WINDOWS)
  execute_process(COMMAND ${STRIP} --remove-section=.comment --remove-section=.note
    ${stage}/usr/bin/${PROGRAM} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND dpkg-architecture -qDEB_HOST_ARCH OUTPUT_VARIABLE architecture
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(system linux-${architecture})
endif()
# An earlier build's packages for this system go, so that the README's apt line names one .deb.
execute_process(COMMAND find ${PACKAGE_DIR} -maxdepth 1 "(" -name "${NAME}-*-${system}.*"
  -o -name "${NAME}_*_${architecture}.deb" ")" -delete COMMAND_ERROR_IS_FATAL ANY)
# GNU tar, since it can sort the entries, as bsdtar and CMake's own tar cannot. bsdtar turns its
# stream into a zip, in UTC because a zip holds local times.
set(archive ${NAME}-${VERSION}-${system})
set(tar_stream tar --create --sort=name --format=gnu --owner=0 --group=0 --numeric-owner
  --mode=u=rwX,go=rX --mtime=@${EPOCH} --directory=${stage} --transform=s,^usr,${archive}, usr)
if(WINDOWS)
  execute_process(COMMAND ${tar_stream} COMMAND env TZ=UTC bsdtar --create --format=zip --file=- @-
    OUTPUT_FILE ${PACKAGE_DIR}/${archive}.zip COMMAND_ERROR_IS_FATAL ANY)
else()
  execute_process(COMMAND ${tar_stream} COMMAND gzip -9 -n
    OUTPUT_FILE ${PACKAGE_DIR}/${archive}.tar.gz COMMAND_ERROR_IS_FATAL ANY)
  # In the .deb, the licence is "copyright" and the changelog Debian's own, compressed as Debian
  # wants it, as the manual page is: at gzip's best, with no name or time in the header.
  set(documents ${stage}/usr/share/doc/${NAME})
  file(RENAME ${stage}/usr/share/licenses/${NAME}/LICENSE ${documents}/copyright)
  file(REMOVE_RECURSE ${documents}/CHANGELOG.md ${stage}/usr/share/licenses)
  file(COPY_FILE ${BINARY_DIR}/deb/debian/changelog ${documents}/changelog)
  execute_process(COMMAND gzip -9 -n ${documents}/changelog ${stage}/usr/share/man/man1/${NAME}.1
    COMMAND_ERROR_IS_FATAL ANY)
  # dpkg-shlibdeps finds the package's root by its DEBIAN folder. dpkg-gencontrol takes the control
  # data from debian/ in the build's deb/, but for the version, which it lacks when unreleased.
  file(MAKE_DIRECTORY ${stage}/DEBIAN)
  execute_process(COMMAND dpkg-shlibdeps -e../stage/usr/bin/${NAME}
    WORKING_DIRECTORY ${BINARY_DIR}/deb COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND dpkg-gencontrol -P../stage -v${VERSION}
    WORKING_DIRECTORY ${BINARY_DIR}/deb COMMAND_ERROR_IS_FATAL ANY)
  # What debhelper's dh_md5sums writes: no dpkg tool does it outside a source package.
  execute_process(COMMAND find usr -type f -print0 COMMAND env LC_ALL=C sort -z
    COMMAND xargs -0 md5sum
    WORKING_DIRECTORY ${stage} OUTPUT_FILE ${stage}/DEBIAN/md5sums COMMAND_ERROR_IS_FATAL ANY)
  # dpkg-deb takes the files' modes and times as they are, and lowers later times to
  # SOURCE_DATE_EPOCH but raises no earlier ones.
  execute_process(COMMAND find ${stage} -exec chmod u=rwX,go=rX {} +
    -exec touch --no-dereference --date=@${EPOCH} {} + COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${stage} ${PACKAGE_DIR}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  # The source archive carries its version, which it has no history to count. (Debian 12's git
  # puts a virtual file outside the prefix.)
  if(COMMIT)
    file(WRITE ${BINARY_DIR}/archive/.tarball-version "${VERSION}\n")
    execute_process(COMMAND git -C ${CMAKE_CURRENT_LIST_DIR}/.. archive --format=tar.gz
      --prefix=${NAME}-${VERSION}/ --add-file=${BINARY_DIR}/archive/.tarball-version
      --output=${PACKAGE_DIR}/${NAME}-${VERSION}.tar.gz ${COMMIT} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endif()

execute_process(COMMAND find . -maxdepth 1 -name "${NAME}[-_]${VERSION}[-_.]*" -printf "%P\\0"
  COMMAND env LC_ALL=C sort -z COMMAND xargs -0 sha256sum
  WORKING_DIRECTORY ${PACKAGE_DIR} OUTPUT_FILE ${PACKAGE_DIR}/SHA256SUMS COMMAND_ERROR_IS_FATAL ANY)
