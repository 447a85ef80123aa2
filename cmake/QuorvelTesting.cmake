# Test helpers. Host tests run natively against the host stand-ins; Wine tests are Windows
# executables that ctest runs through the emulator (wine) inside the sandbox of the test command.
include(GoogleTest)

if(WIN32)
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # Its own CMake file defines the GTest:: aliases used below.
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

# quorvel_host_test(NAME SOURCES...): a GoogleTest executable over the logic and host stand-ins.
function(quorvel_host_test name)
  if(WIN32)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE quorvel_logic GTest::gmock GTest::gtest_main
                                        quorvel_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# quorvel_wine_test(NAME SOURCES...): a GoogleTest executable over the real Windows layer, with
# the program's manifest so that common controls 6 are used. Runs under wine.
function(quorvel_wine_test name)
  if(NOT WIN32)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE quorvel_logic quorvel_resources GTest::gmock
                                        GTest::gtest_main quorvel_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
