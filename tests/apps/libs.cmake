set(extra_libs_apps Qt6::Sql)
# The logistics example's symbols are read back with zxing-cpp.
if(NOT TARGET ZXing::ZXing)
  find_package(ZXing REQUIRED)
endif()
list(APPEND extra_libs_apps ZXing::ZXing)
