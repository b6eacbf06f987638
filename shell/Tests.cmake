# Tests of the Explorer extension, all under wine64 (it ships 64-bit only). They
# share the prefix's class registrations and the installation record, so they take
# one lock among themselves.
if(NOT QUENDRA_RUN_TESTS)
  return()
endif()

set(shell_test_lock quendra3shell-registry)

# As quendra_add_gtest, with the lock on every discovered test.
function(shell_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${QUENDRA_TEST_PREFIX}.${name}."
                       DISCOVERY_TIMEOUT 120
                       PROPERTIES LABELS "${QUENDRA_TEST_LABELS}" RESOURCE_LOCK ${shell_test_lock})
endfunction()

# The stand-in for the installed program, in a folder of its own so that it never
# takes the place of the real quendra3.exe.
add_executable(shell_recording_quendra3 WIN32 fixtures/RecordingQuendra3.cpp)
target_include_directories(shell_recording_quendra3 PRIVATE ${PROJECT_SOURCE_DIR}/library)
target_link_options(shell_recording_quendra3 PRIVATE -municode)
target_link_libraries(shell_recording_quendra3 PRIVATE shell32)
set_target_properties(shell_recording_quendra3 PROPERTIES
  OUTPUT_NAME quendra3
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/fixture)

file(RELATIVE_PATH fixture_relative ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
     ${CMAKE_CURRENT_BINARY_DIR}/fixture)
string(REPLACE "/" "\\\\" fixture_relative "${fixture_relative}")

add_library(shell_test_support STATIC fixtures/TestSupport.cpp fixtures/ShellHost.cpp fixtures/DropDataObject.cpp)
target_include_directories(shell_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/library)
target_compile_definitions(shell_test_support PRIVATE
  "QUENDRA_SHELL_FIXTURE_RELATIVE=L\"${fixture_relative}\"")
target_link_libraries(shell_test_support PUBLIC GTest::gtest ole32 oleaut32 uuid shell32 advapi32)

shell_add_gtest(quendra3shell_core_test
  SOURCES ApplicationStartTest.cpp MenuSelectionTest.cpp
  LIBRARIES quendra3shell_core shell_test_support)

shell_add_gtest(quendra3shell_test
  SOURCES ComServerTest.cpp ContextMenuTest.cpp RegistrationTest.cpp ResourcesTest.cpp
  LIBRARIES shell_test_support version)
add_dependencies(quendra3shell_test quendra3shell shell_recording_quendra3)

# The menu texts follow the user's language, which Wine takes from the run's locale.
add_executable(quendra3shell_language_test MenuLanguageTest.cpp)
target_link_libraries(quendra3shell_language_test PRIVATE shell_test_support GTest::gtest_main)
add_dependencies(quendra3shell_language_test quendra3shell shell_recording_quendra3)
foreach(run "en;C.UTF-8" "en;en_GB.UTF-8" "lv;lv_LV.UTF-8" "ru;ru_RU.UTF-8")
  list(GET run 0 language)
  list(GET run 1 locale)
  add_test(NAME ${QUENDRA_TEST_PREFIX}.quendra3shell_language_test.${locale}
           COMMAND quendra3shell_language_test)
  set_tests_properties(${QUENDRA_TEST_PREFIX}.quendra3shell_language_test.${locale} PROPERTIES
    LABELS "${QUENDRA_TEST_LABELS}" RESOURCE_LOCK ${shell_test_lock}
    ENVIRONMENT "LC_ALL=${locale};QUENDRA_EXPECTED_LANGUAGE=${language}")
endforeach()

# The real message box of a missing installation record, seen through Wine's relay trace.
add_test(NAME ${QUENDRA_TEST_PREFIX}.quendra3shell.registry_error_box
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/check-error-box.sh ${CMAKE_BINARY_DIR}/wine-run
                 $<TARGET_FILE:quendra3shell_test>)
set_tests_properties(${QUENDRA_TEST_PREFIX}.quendra3shell.registry_error_box PROPERTIES
  LABELS "${QUENDRA_TEST_LABELS}" RESOURCE_LOCK ${shell_test_lock})

# The box for a selection too large to start with, in each language, seen the same way.
foreach(run "en;C.UTF-8" "lv;lv_LV.UTF-8" "ru;ru_RU.UTF-8")
  list(GET run 0 language)
  list(GET run 1 locale)
  add_test(NAME ${QUENDRA_TEST_PREFIX}.quendra3shell.selection_box.${locale}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/check-selection-box.sh
                   ${CMAKE_BINARY_DIR}/wine-run $<TARGET_FILE:quendra3shell_language_test>
                   ${Python3_EXECUTABLE} ${locale} ${language})
  set_tests_properties(${QUENDRA_TEST_PREFIX}.quendra3shell.selection_box.${locale} PROPERTIES
    LABELS "${QUENDRA_TEST_LABELS}" RESOURCE_LOCK ${shell_test_lock})
endforeach()
