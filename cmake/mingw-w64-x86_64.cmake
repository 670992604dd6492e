# Cross build for 64-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-x86-64); the tests run
# under Wine through the emulator, so ctest works as it does natively.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
# The posix thread model is the one with std::thread and std::mutex.
find_program(_mingw_cxx NAMES ${_triple}-g++-posix ${_triple}-g++ REQUIRED)
find_program(_mingw_cc NAMES ${_triple}-gcc-posix ${_triple}-gcc REQUIRED)
set(CMAKE_CXX_COMPILER ${_mingw_cxx})
set(CMAKE_C_COMPILER ${_mingw_cc})
set(CMAKE_RC_COMPILER ${_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Header-only packages (nlohmann-json) come from the build machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# The runtime libraries linked in, so an .exe runs without MinGW's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(_wine NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${_wine})
