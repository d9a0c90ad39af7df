pkg_check_modules(TW_SOUP REQUIRED IMPORTED_TARGET libsoup-3.0)
pkg_check_modules(TW_QRENCODE REQUIRED IMPORTED_TARGET libqrencode)
target_sources(tw_platform PRIVATE
  QrCode.cpp
  linux/GlibMainLoop.cpp
  linux/IfaddrsNetwork.cpp
  linux/SoupOfferServer.cpp)
target_link_libraries(tw_platform PRIVATE PkgConfig::TW_SOUP PkgConfig::TW_QRENCODE)
