# Cross-building for 64-bit Windows with Debian's mingw-w64 (its POSIX-threads variant, for
# std::thread). Programs link statically, so an .exe runs without the compiler's DLLs; tests
# run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVA_MINGW}-windres)
# Libraries built for Windows elsewhere (tools/windows) are added to the roots.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ORVA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Windows 10 is the oldest system the launcher serves.
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 -DUNICODE -D_UNICODE")
find_program(ORVA_WINE NAMES wine wine64)
if(ORVA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVA_WINE})
endif()
