# Infrared: the interface (InfraredStack.h), the kernel's IrDA sockets (linux/) and the scripted
# fake for the infrared finder's tests (fake/).
target_sources(tw_platform PRIVATE
  linux/IrdaStack.cpp
  fake/ScriptedInfrared.cpp)
