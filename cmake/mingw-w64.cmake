# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the posix threads
# variant of GCC, whose libstdc++ has <thread> and <mutex>). Libraries are
# looked for only under CMAKE_FIND_ROOT_PATH: the MinGW-w64 system folder and
# the folder named by LC_WINDOWS_PREFIX (GMP, MPFR and the JSON headers that
# scripts/windows.sh puts there).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(DEFINED ENV{LC_WINDOWS_PREFIX})
  set(LC_WINDOWS_PREFIX "$ENV{LC_WINDOWS_PREFIX}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${LC_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: the C++ runtime, libgcc and winpthreads
# linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
