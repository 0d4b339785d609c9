# Run by CPack once it has made a package. CPack adds the files of a tar.gz or a zip in the order
# the file system lists them, which differs from one file system to another, so this writes those
# two again with GNU tar: entries in name order, owned by root, dated by the release.
set(tar_stream tar --create --sort=name --format=gnu --owner=0 --group=0 --numeric-owner
  --mtime=@$ENV{SOURCE_DATE_EPOCH} --mode=u=rwX,go=rX
  --directory=${CPACK_TOPLEVEL_DIRECTORY} ${CPACK_PACKAGE_FILE_NAME})
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.tar\\.gz$")
    execute_process(COMMAND ${tar_stream} COMMAND gzip -9 -n
      OUTPUT_FILE ${package} COMMAND_ERROR_IS_FATAL ANY)
  elseif(package MATCHES "\\.zip$")
    # bsdtar turns the stream into a zip, in UTC because a zip holds local times.
    execute_process(COMMAND ${tar_stream} COMMAND env TZ=UTC bsdtar --create --format=zip --file=- @-
      OUTPUT_FILE ${package} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
