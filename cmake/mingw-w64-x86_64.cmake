# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers. The posix thread model is the
# one whose std::chrono::steady_clock is monotonic (QueryPerformanceCounter): with the win32 model
# it reads the system time, which the user can set back. GoogleTest also needs its std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A clean Windows has no MinGW runtime DLLs: link libstdc++, libgcc and winpthread in. The exe that
# the tests run ships: stripped, with no time in its header, so that a rebuild is identical.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s -Wl,--no-insert-timestamp")

# Tests run Windows programs under wine, quietly, in a prefix of the build's own, with its own
# server, without its menu builder, which writes into HOME; Debian 13's wine fails if TMPDIR is set.
find_program(WINE_PROGRAM NAMES wine64 wine PATHS /usr/lib/wine)
find_program(WINESERVER_PROGRAM NAMES wineserver PATHS /usr/lib/wine)
if(WINE_PROGRAM)
  set(COUNTDOWN_WINE_ENV ${CMAKE_COMMAND} -E env --unset=TMPDIR WINEDEBUG=-all
    WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINESERVER=${WINESERVER_PROGRAM}
    WINEDLLOVERRIDES=winemenubuilder.exe=d)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${COUNTDOWN_WINE_ENV} ${WINE_PROGRAM})
endif()
