# Windows cross-build (mingw-w64): see mingw-w64.cmake.
set(SOREL_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
