# Phones mounted by the desktop (GVfs, MTP): listed and written through GIO (found by
# bluetooth.cmake).
target_sources(tw_platform PRIVATE
  linux/GioMountedPhones.cpp
  fake/FakeMountedPhones.cpp)
