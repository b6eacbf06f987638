# GoogleTest from the machine's sources, built with this tree's compiler; test
# executables run natively on host and under wine64 in the 64-bit Windows tree.
include(GoogleTest)

enable_testing()
if(QUENDRA_RUN_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(QUENDRA_WINDOWS)
    set(QUENDRA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
  endif()
endif()

# quendra_add_gtest(name SOURCES ... [LIBRARIES ...] [PROPERTIES ...])
# Windows test names carry the prefix "wine." so that the host suite can run alone.
function(quendra_add_gtest name)
  if(NOT QUENDRA_RUN_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} GTest::gmock GTest::gtest_main)
  if(QUENDRA_WINDOWS)
    set(prefix "wine.${name}.")
    set(label wine)
  else()
    set(prefix "host.${name}.")
    set(label host)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_PREFIX ${prefix}
                       DISCOVERY_TIMEOUT 120 PROPERTIES LABELS ${label} ${T_PROPERTIES})
endfunction()
