# Rendered labels are read back with a real barcode decoder.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ZBAR REQUIRED IMPORTED_TARGET zbar)
set(extra_libs_rendering PkgConfig::ZBAR)
