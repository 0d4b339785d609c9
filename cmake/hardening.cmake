# Hardening for the project's own code, as distributions build the programs they ship: for every
# build, not only for the packages. A compiler flag is used only where the compiler accepts it.
include(CheckCXXCompilerFlag)
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

foreach(flag IN ITEMS -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "countdown_compiler_has${flag}" accepted)
  check_cxx_compiler_flag(${flag} ${accepted})
  if(${accepted})
    target_compile_options(countdown_hardening INTERFACE ${flag})
  endif()
endforeach()

# Fortified libc calls need the optimiser. Replaces whatever level the compiler sets by itself.
target_compile_options(countdown_hardening INTERFACE
  "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")

if(WIN32)
  # MinGW: the stack protector's runtime, and the PE flags for ASLR with high entropy, DEP and
  # terminal-server awareness, asked for rather than left to the linker's defaults.
  target_link_options(countdown_hardening INTERFACE -fstack-protector-strong
    LINKER:--dynamicbase,--high-entropy-va,--nxcompat,--tsaware)
elseif(NOT APPLE)
  # ELF: full RELRO, relocations resolved at start and then made read-only.
  target_link_options(countdown_hardening INTERFACE LINKER:-z,relro,-z,now)
endif()
