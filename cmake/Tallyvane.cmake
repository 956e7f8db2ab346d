# Helpers that declare the project's tests, fuzz targets and benchmarks.

# tv_add_test(NAME SOURCES src... LIBS lib... [SERIAL] [LABELS l...])
# One GoogleTest executable, run by CTest as one test (under Wine in the Windows build).
# SERIAL: the test starts tallyvane.exe, so it must not run beside another such test.
function(tv_add_test name)
  cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  tv_test_program(${name})
  add_test(NAME ${name} COMMAND ${name})
  # Under Wine the Unix root is drive Z:, and the recycle bin is the trash of the Unix home: the
  # tests have a home of their own (TV_TEST_HOME, also given to them as a Windows path: Wine
  # keeps HOME from its programs), so they neither fill the user's trash nor, without a trash
  # folder, delete for good.
  set(environment "")
  set(root "")
  if(WIN32)
    set(root "Z:")
    set(environment
      "HOME=${TV_TEST_HOME};XDG_DATA_HOME=${TV_TEST_HOME}/.local/share;TV_TEST_HOME=Z:${TV_TEST_HOME};")
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${environment}TV_SOURCE_DIR=${root}${PROJECT_SOURCE_DIR};TV_BINARY_DIR=${root}${PROJECT_BINARY_DIR}"
    TIMEOUT 300)
  # Under Wine the test programs share one prefix and one desktop (its registry, its temporary
  # folder, the keyboard focus): they run one at a time, beside the tests that need none of it.
  if(WIN32)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK wine_desktop)
  endif()
  if(T_SERIAL)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK tallyvane_process)
  endif()
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# The compile options of the test programs and of the GoogleTest built here, after the build
# type's: optimized as AddressSanitizer advises for readable reports (-O1, which also compiles the
# tests' tables and assertion macros much faster than -O2), and without debugging information
# (nobody debugs a test program; the libraries that it tests keep theirs).
set(TV_TEST_OPTIONS -O1 -g0)

# tv_test_program(TARGET)
# What makes TARGET a test program: GoogleTest with its main, the headers of the tests, the test
# options, and the precompiled header that every test program shares (tv_test_pch in
# tests/CMakeLists.txt).
function(tv_test_program name)
  target_link_libraries(${name} PRIVATE GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${TV_TEST_OPTIONS})
  target_precompile_headers(${name} REUSE_FROM tv_test_pch)
  # Under Wine nothing reads the libraries' debugging information in a test program; the native
  # one keeps it for the file and line of a sanitizer's report.
  if(WIN32)
    target_link_options(${name} PRIVATE -Wl,--strip-debug)
  endif()
endfunction()

# tv_add_fuzzer(NAME SOURCES src... LIBS lib... CORPUS dir)
# A libFuzzer target. In the fuzzing build (clang, TV_FUZZ) it is a real fuzzer; in the
# native test build it is linked with a small driver that replays every file of the corpus
# folder once, so every input that ever crashed stays fixed.
function(tv_add_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(TV_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    add_test(NAME ${name}_corpus COMMAND ${name} ${F_CORPUS})
  endif()
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
endfunction()

# tv_add_bench(NAME SOURCES src... LIBS lib...)
# A benchmark program; built with the native configuration, measured by bench/run.sh.
function(tv_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
endfunction()
