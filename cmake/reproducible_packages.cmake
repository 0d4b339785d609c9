# Run by CPack once it has made a package, to write it again where CPack's own output would differ
# from one build to the next. CPack adds the files of a tar.gz or a zip in the order the file
# system lists them, gives a .deb's files the modes of the packager's umask and the time they were
# made, and reckons its Installed-Size from the sizes the file system gives its folders. The
# archives are written with GNU tar (entries in name order, owned by root, dated by the release),
# and the .deb with dpkg-deb after its files are set right.
set(tar_stream tar --create --sort=name --format=gnu --owner=0 --group=0 --numeric-owner
  --mtime=@$ENV{SOURCE_DATE_EPOCH} --mode=u=rwX,go=rX
  --directory=${CPACK_TOPLEVEL_DIRECTORY} ${CPACK_PACKAGE_FILE_NAME})

# Installed-Size as dpkg-gencontrol reckons it for the installed files: a KiB for each folder, the
# top one too, and for each file its size in KiB, rounded up.
function(installed_kibibytes tree result)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${tree} ${tree}/*)
  list(FILTER entries EXCLUDE REGEX "^DEBIAN(/|$)")
  if(NOT entries)
    # CPack 3.25 packs no files where the build folder's path holds a '[', nor does the glob above
    # find any there.
    message(FATAL_ERROR "${tree} holds no files to install")
  endif()
  set(kibibytes 1)
  foreach(entry IN LISTS entries)
    set(size 1024)
    if(NOT IS_DIRECTORY ${tree}/${entry})
      file(SIZE ${tree}/${entry} size)
    endif()
    math(EXPR kibibytes "${kibibytes} + (${size} + 1023) / 1024")
  endforeach()
  set(${result} ${kibibytes} PARENT_SCOPE)
endfunction()

function(rebuild_deb package)
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/deb-tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${package})
  installed_kibibytes(${tree} kibibytes)
  file(READ ${tree}/DEBIAN/control control)
  string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${kibibytes}" control "${control}")
  file(WRITE ${tree}/DEBIAN/control "${control}")
  # Modes as under umask 022, and every file dated by the release, however and whenever built.
  execute_process(COMMAND chmod -R u=rwX,go=rX ${tree} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND find ${tree} -exec touch --no-dereference
    --date=@$ENV{SOURCE_DATE_EPOCH} {} + COMMAND_ERROR_IS_FATAL ANY)
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
