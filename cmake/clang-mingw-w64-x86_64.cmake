# Cross build for x86_64 Windows with clang, against MinGW-w64's headers and libraries and the
# C++ library of its -posix GCC: a second compiler's warnings here, before the newer GCC of the
# Windows CI job finds them. clang 14 does not recognise Debian's GCC folder names (12-posix), so
# the C++ headers and libgcc's folder are named here; the sysroot keeps the build machine's own
# headers out.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_SYSROOT /usr/x86_64-w64-mingw32)

file(GLOB gcc_dirs /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
list(SORT gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET gcc_dirs 0 gcc_dir)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${gcc_dir}/include/c++ \
-isystem ${gcc_dir}/include/c++/x86_64-w64-mingw32 -isystem ${gcc_dir}/include/c++/backward")
# GoogleTest's std::mutex needs the POSIX threads library that the -posix GCC links by itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-pthread -L${gcc_dir}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-L${gcc_dir}")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs the Windows test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh;--virtual-desktop")
