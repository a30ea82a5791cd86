# GoogleTest for a cross build: compiled from the sources that Debian ships in
# /usr/src/googletest (package googletest, pulled in by libgtest-dev), since the packaged
# libraries are built for the host. Provides the same GTest:: targets as find_package(GTest).
set(PAGEHOLD_GOOGLETEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest's source folder")
if(NOT EXISTS ${PAGEHOLD_GOOGLETEST_SOURCES}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${PAGEHOLD_GOOGLETEST_SOURCES} "
                      "(apt-get install googletest)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${PAGEHOLD_GOOGLETEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

foreach(library gtest gtest_main gmock gmock_main)
  # Our warning options are for our code; GoogleTest keeps its own.
  set_target_properties(${library} PROPERTIES COMPILE_OPTIONS "")
  if(NOT TARGET GTest::${library})
    add_library(GTest::${library} ALIAS ${library})
  endif()
endforeach()
