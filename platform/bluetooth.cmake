# Bluetooth and the other buses to the phone: GIO's GDBus talks to BlueZ on the system bus and
# to the file-push service (obexd) on the session bus. The imported target is global so that
# the test helpers that start private buses can link it too.
pkg_check_modules(GIO REQUIRED IMPORTED_TARGET GLOBAL gio-2.0)
target_sources(tw_platform PRIVATE
  BluetoothInquiry.cpp
  linux/BlueZInquiry.cpp
  linux/BlueZState.cpp
  linux/ObexdClient.cpp
  fake/ScriptedInquiry.cpp
  fake/ScriptedObexClient.cpp)
target_link_libraries(tw_platform PRIVATE PkgConfig::GIO)
