# The dialogs are driven with QTest; barcodes set up in them are read back
# with a real decoder.
find_package(Qt6 REQUIRED COMPONENTS Test)
find_package(PkgConfig REQUIRED)
pkg_check_modules(ZBAR REQUIRED IMPORTED_TARGET zbar)
set(extra_libs_dialogs Qt6::Test PkgConfig::ZBAR)
