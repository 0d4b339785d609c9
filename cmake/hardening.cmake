# Every build is hardened, as distributions build the programs they ship, with the flags that the
# compiler accepts. MSVC's defaults already give the stack protector, ASLR and DEP.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# Of the two control-flow protections, x86 compilers take the first and arm64 ones the second.
foreach(flag IN ITEMS -fstack-protector-strong -fstack-clash-protection -fcf-protection
    -mbranch-protection=standard)
  string(MAKE_C_IDENTIFIER "countdown_compiler_has${flag}" accepted)
  check_cxx_compiler_flag(${flag} ${accepted})
  if(${accepted})
    target_compile_options(countdown_options INTERFACE ${flag})
  endif()
endforeach()
# Fortified libc calls need optimisation. glibc itself lowers level 3 to 2 for a compiler that
# lacks it, and the -U keeps a level that the compiler defines by itself from being redefined.
target_compile_options(countdown_options INTERFACE
  "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=3>")
if(MINGW)
  # The stack protector's runtime, and the PE flags for ASLR with high entropy, DEP and
  # terminal-server awareness, asked for rather than left to the linker's defaults.
  target_link_options(countdown_options INTERFACE -fstack-protector-strong
    LINKER:--dynamicbase,--high-entropy-va,--nxcompat,--tsaware)
elseif(UNIX AND NOT APPLE)
  # ELF: full RELRO, relocations resolved at start and then made read-only.
  target_link_options(countdown_options INTERFACE LINKER:-z,relro,-z,now)
endif()
