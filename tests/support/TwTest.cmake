# tw_add_test(NAME SOURCES ... LIBS ... [GUI] [LABELS ...])
# Tests labelled "tsan" run the audio thread and are also run in the ThreadSanitizer build; those
# labelled "optimised" test the files built with optimisation flags of their own and are also run
# in the normal build. tw_tests builds every test, tw_tsan_tests and tw_optimised_tests those with
# these labels.
# A GUI test binary gets a main that starts the toolkit and runs in build/run, where the
# pictures and the help book are laid out. It needs a display: under scripts/test, ctest hands
# each GUI test one of a pool of Xvfb displays (the resource "display"), so GUI tests run in
# parallel; without the pool's resource file they use $DISPLAY, one at a time unless ctest -j.
file(MAKE_DIRECTORY ${TW_RUN_DIR})

# Test code is built for the compiler's speed rather than its own: the libraries under test keep
# their build type's optimisation, and a Debug build keeps its debug information.
# A test binary is compiled as one unit (see tw_add_test), where GCC takes a test class's
# base in an anonymous namespace for a type shared between units.
# Under ASan+UBSan, test code keeps ASan, which catches a test reading what the code under test
# has freed, but not UBSan: its checks cost a test file a third of its compile time and would
# guard only the tests' own arithmetic and casts; the code under test keeps them.
function(tw_test_code target)
  target_compile_options(${target} PRIVATE "$<$<NOT:$<CONFIG:Debug>>:-O0;-g0>"
                         -Wno-subobject-linkage)
  if(TW_SANITIZE MATCHES "undefined")
    target_compile_options(${target} PRIVATE -fno-sanitize=undefined)
  endif()
endfunction()

# Most of a test's compile time is GoogleTest's and the toolkit's headers: a test reuses the
# headers precompiled once for tw_test_support, a toolkit test those of tw_gui_test_main.
function(tw_unit_test_code target)
  tw_test_code(${target})
  target_precompile_headers(${target} REUSE_FROM tw_test_support)
endfunction()
function(tw_gui_test_code target)
  tw_test_code(${target})
  target_precompile_headers(${target} REUSE_FROM tw_gui_test_main)
endfunction()

function(tw_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # One compilation per test binary: its sources share GoogleTest's templates and our headers.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
  if(T_GUI)
    target_link_libraries(${name} PRIVATE ${T_LIBS} tw_gui_test_main)
    add_dependencies(${name} tw_runtime)
    tw_gui_test_code(${name})
    set(kind gui)
    # A display of its own: clicks of two tests must not interleave.
    set(display RESOURCE_GROUPS display:1)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} tw_test_support GTest::gtest_main)
    tw_unit_test_code(${name})
    set(kind unit)
    set(display)
  endif()
  set_property(GLOBAL APPEND PROPERTY TW_TEST_TARGETS ${name})
  foreach(label IN LISTS T_LABELS)
    set_property(GLOBAL APPEND PROPERTY TW_${label}_TEST_TARGETS ${name})
  endforeach()
  # Discovered tests take a single label: a list would be split into separate properties.
  # "unit-audio-tsan" still answers ctest -L tsan, since -L matches a pattern.
  list(JOIN T_LABELS "-" extra)
  if(extra)
    set(label ${kind}-${extra})
  else()
    set(label ${kind})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${TW_RUN_DIR}
    PROPERTIES LABELS ${label} TIMEOUT 300 ${display})
endfunction()
