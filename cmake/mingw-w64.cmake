# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (the POSIX threads model, which
# std::thread and std::mutex need). Programs are linked statically: each .exe is one file that
# needs only Windows' own DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRONDEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRONDEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRONDEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRONDEL_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW sysroot only; programs run during the build come
# from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${BRONDEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests run under Wine, in a prefix of this build's own that tests/windows makes while building.
find_program(BRONDEL_WINE wine)
if(BRONDEL_WINE)
  set(BRONDEL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${BRONDEL_WINE_PREFIX} WINEDEBUG=-all
                                    ${BRONDEL_WINE})
endif()
