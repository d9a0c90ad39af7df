# Hidden console: the interface and the process's instance, the Linux console (a
# pseudo-terminal read through libvterm) and the scripted fake for the runner's tests.
pkg_check_modules(VTERM REQUIRED IMPORTED_TARGET GLOBAL vterm)
target_sources(tw_platform PRIVATE
  HiddenConsole.cpp
  linux/PtyConsole.cpp
  fake/ScriptedConsole.cpp)
target_link_libraries(tw_platform PRIVATE PkgConfig::VTERM util)
