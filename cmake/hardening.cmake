# Hardening for the project's own code, as distributions build the programs they ship: for every
# build, not only for the packages. A compiler flag is used only where the compiler accepts it.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckPIESupported)

check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_library(countdown_hardening INTERFACE)

if(MSVC)
  # Most are on by default; named so that no project setting can turn them off unnoticed.
  target_compile_options(countdown_hardening INTERFACE /GS /guard:cf)
  target_link_options(countdown_hardening INTERFACE
    /guard:cf /DYNAMICBASE /HIGHENTROPYVA /NXCOMPAT /TSAWARE /CETCOMPAT)
  return()
endif()

# Control-flow protection: -fcf-protection on x86, -mbranch-protection on arm64.
foreach(flag IN ITEMS -fstack-protector-strong -fstack-clash-protection -fcf-protection
    -mbranch-protection=standard)
  string(MAKE_C_IDENTIFIER "countdown_compiler_has${flag}" accepted)
  check_cxx_compiler_flag(${flag} ${accepted})
  if(${accepted})
    target_compile_options(countdown_hardening INTERFACE ${flag})
  endif()
endforeach()

# Fortified libc calls, in the optimised builds that they need: level 3 where the compiler and the C
# library take it without a warning, else 2. A level that the compiler or CMAKE_CXX_FLAGS already
# set is kept as it is.
set(CMAKE_REQUIRED_FLAGS -O2)
check_cxx_source_compiles("#ifdef _FORTIFY_SOURCE\n#error set\n#endif\nint main() {}"
  countdown_fortify_unset)
if(countdown_fortify_unset)
  set(CMAKE_REQUIRED_FLAGS "-O2 -D_FORTIFY_SOURCE=3 -Werror")
  check_cxx_source_compiles("#include <cstring>\nint main() {}" countdown_fortify_3)
  set(fortify_level 2)
  if(countdown_fortify_3)
    set(fortify_level 3)
  endif()
  target_compile_options(countdown_hardening INTERFACE
    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=${fortify_level}>")
endif()
unset(CMAKE_REQUIRED_FLAGS)

if(WIN32)
  # MinGW: the stack protector's runtime, and the PE flags for ASLR with high entropy, DEP and
  # terminal-server awareness, asked for rather than left to the linker's defaults.
  target_link_options(countdown_hardening INTERFACE -fstack-protector-strong
    LINKER:--dynamicbase,--high-entropy-va,--nxcompat,--tsaware)
elseif(NOT APPLE)
  # ELF: full RELRO, relocations resolved at start and then made read-only.
  target_link_options(countdown_hardening INTERFACE LINKER:-z,relro,-z,now)
endif()
