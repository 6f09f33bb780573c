# Shared part of the two mingw-w64 toolchain files. The including file sets
# ORV_MINGW_TRIPLET and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix variants: the default win32 thread model has no std::mutex.
set(CMAKE_C_COMPILER ${ORV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORV_MINGW_TRIPLET}-windres)

# Libraries and headers come from the cross sysroot only (zlib from
# libz-mingw-w64-dev lives there); programs are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${ORV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the .exe test programs through Wine, with a private prefix.
get_filename_component(_orv_wine_run "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${_orv_wine_run})
unset(_orv_wine_run)
