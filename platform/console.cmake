# Hidden console: the interface and the process's instance.
target_sources(tw_platform PRIVATE HiddenConsole.cpp)
