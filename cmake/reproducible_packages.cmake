# Run by CPack once it has made a package, to write it again where CPack's own output would differ
# from one machine to the next. CPack adds the files of a tar.gz or a zip in the order the file
# system lists them, and reckons a .deb's Installed-Size from the sizes the file system gives its
# folders. The archives are written with GNU tar (entries in name order, owned by root, dated by
# the release), and the .deb with dpkg-deb after Installed-Size is reckoned as dpkg does.
set(tar_stream tar --create --sort=name --format=gnu --owner=0 --group=0 --numeric-owner
  --mtime=@$ENV{SOURCE_DATE_EPOCH} --mode=u=rwX,go=rX
  --directory=${CPACK_TOPLEVEL_DIRECTORY} ${CPACK_PACKAGE_FILE_NAME})

function(rebuild_deb package)
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/deb-tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  # A KiB for each folder, and for each file one more than its whole KiBs.
  file(GLOB_RECURSE entries LIST_DIRECTORIES true ${tree}/*)
  list(FILTER entries EXCLUDE REGEX "^${tree}/DEBIAN")
  set(kibibytes 0)
  foreach(entry IN LISTS entries)
    set(size 0)
    if(NOT IS_DIRECTORY ${entry})
      file(SIZE ${entry} size)
    endif()
    math(EXPR kibibytes "${kibibytes} + ${size} / 1024 + 1")
  endforeach()
  file(READ ${tree}/DEBIAN/control control)
  string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kibibytes}" control "${control}")
  file(WRITE ${tree}/DEBIAN/control "${control}")
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${tree} ${package}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endfunction()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.tar\\.gz$")
    execute_process(COMMAND ${tar_stream} COMMAND gzip -9 -n
      OUTPUT_FILE ${package} COMMAND_ERROR_IS_FATAL ANY)
  elseif(package MATCHES "\\.zip$")
    # bsdtar turns the stream into a zip, in UTC because a zip holds local times.
    execute_process(COMMAND ${tar_stream} COMMAND env TZ=UTC bsdtar --create --format=zip --file=- @-
      OUTPUT_FILE ${package} COMMAND_ERROR_IS_FATAL ANY)
  elseif(package MATCHES "\\.deb$")
    rebuild_deb(${package})
  endif()
endforeach()
