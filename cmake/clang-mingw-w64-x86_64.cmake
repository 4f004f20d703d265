# Cross build for x86_64 Windows with clang, against MinGW-w64's headers and libraries and the
# C++ library of its -posix GCC: a second compiler's warnings here, before the newer GCC of the
# Windows CI job finds them. clang 14 does not recognise Debian's GCC folder names (12-posix), so
# the C++ headers and libgcc's folder are named here; the sysroot keeps the build machine's own
# headers out.

# The GCC cross build's settings: the target, where its libraries are found, Wine for the tests.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_SYSROOT /usr/x86_64-w64-mingw32)

file(GLOB gcc_dirs /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
list(SORT gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET gcc_dirs 0 gcc_dir)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${gcc_dir}/include/c++ \
-isystem ${gcc_dir}/include/c++/x86_64-w64-mingw32 -isystem ${gcc_dir}/include/c++/backward")
# GoogleTest's std::mutex needs the POSIX threads library that the -posix GCC links by itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-pthread -L${gcc_dir}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-L${gcc_dir}")

