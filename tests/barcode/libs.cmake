# The barcode tests read what they draw back with a real decoder.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ZBAR REQUIRED IMPORTED_TARGET zbar)
set(extra_libs_barcode PkgConfig::ZBAR)
# The libzint types are read back with zxing-cpp.
if(NOT TARGET ZXing::ZXing)
  find_package(ZXing REQUIRED)
endif()
list(APPEND extra_libs_barcode ZXing::ZXing)
