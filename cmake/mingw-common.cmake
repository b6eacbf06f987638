# The posix-thread flavour of the MinGW-w64 compilers: std::thread, std::mutex and
# std::call_once work, and winpthread is linked statically below.
set(CMAKE_C_COMPILER ${QUENDRA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUENDRA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUENDRA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUENDRA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
