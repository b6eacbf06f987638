# GoogleTest from the machine's sources, built with this tree's compiler; test
# executables run natively on host and under Wine in the Windows trees: wine64 for
# the 64-bit tree, the 32-bit loader for the 32-bit one.
include(GoogleTest)

enable_testing()
# A Windows tree still builds its test programs where Wine cannot run them (the
# 32-bit tree on a kernel without 32-bit support), but registers none of them:
# tools/test switches this off there and says so.
option(QUENDRA_WINE_TESTS "Register the Windows tests of this tree, which run under Wine" ON)
if(QUENDRA_RUN_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(QUENDRA_WINDOWS)
    set(QUENDRA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    if(QUENDRA_BITS EQUAL 32)
      set(QUENDRA_WINE_LOADER /usr/lib/wine/wine)
    else()
      set(QUENDRA_WINE_LOADER /usr/lib/wine/wine64)
    endif()
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
  endif()
endif()

# Test names say where a test runs: "host." natively, "wine32." and "wine64." under
# Wine in the 32-bit and 64-bit trees, "static." for checks of the images that run
# nothing. The label is the same word, so that `ctest -L` picks one kind (a regular
# expression: `-L wine` takes both Windows kinds).
if(QUENDRA_WINDOWS)
  set(QUENDRA_TEST_PREFIX wine${QUENDRA_BITS})
  set(QUENDRA_TEST_LABELS wine${QUENDRA_BITS})
else()
  set(QUENDRA_TEST_PREFIX host)
  set(QUENDRA_TEST_LABELS host)
endif()

# quendra_add_gtest(name SOURCES ... [LIBRARIES ...] [PROPERTIES ...])
# Every test case of the program becomes one test "<prefix>.<name>.<Suite>.<Case>".
function(quendra_add_gtest name)
  if(NOT QUENDRA_RUN_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} GTest::gmock GTest::gtest_main)
  if(QUENDRA_WINDOWS AND NOT QUENDRA_WINE_TESTS)
    return()
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${QUENDRA_TEST_PREFIX}.${name}."
                       DISCOVERY_TIMEOUT 120 PROPERTIES LABELS ${QUENDRA_TEST_LABELS} ${T_PROPERTIES})
endfunction()

# quendra_add_wine_test(name COMMAND ... [PROPERTIES ...])
# A Windows check driven by a script: named "<wine32|wine64>.<name>", labelled as
# the tree's other Windows tests.
function(quendra_add_wine_test name)
  if(NOT QUENDRA_WINE_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "COMMAND;PROPERTIES" ${ARGN})
  add_test(NAME ${QUENDRA_TEST_PREFIX}.${name} COMMAND ${T_COMMAND})
  set_tests_properties(${QUENDRA_TEST_PREFIX}.${name} PROPERTIES LABELS "${QUENDRA_TEST_LABELS}" ${T_PROPERTIES})
endfunction()
