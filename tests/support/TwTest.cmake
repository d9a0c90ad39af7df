# tw_add_test(NAME SOURCES ... LIBS ... [GUI] [LABELS ...])
# A GUI test binary gets a main that starts the toolkit and runs in build/run, where the
# pictures and the help book are laid out; it needs the display that scripts/test provides.
function(tw_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE ${T_LIBS} tw_gui_test_main)
    add_dependencies(${name} tw_runtime)
    set(labels gui ${T_LABELS})
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} tw_test_support GTest::gtest_main)
    set(labels ${T_LABELS})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${TW_RUN_DIR}
    PROPERTIES LABELS "${labels}" TIMEOUT 300)
endfunction()
