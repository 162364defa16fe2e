# The fuzz targets' checks, to replay the kept crashing inputs (inputs/) in
# every build, not only in the clang fuzz build.
if(NOT TARGET kvlab_fuzz_checks)
  add_library(kvlab_fuzz_checks STATIC ${PROJECT_SOURCE_DIR}/fuzz/FuzzChecks.cpp ${PROJECT_SOURCE_DIR}/fuzz/FuzzChecks.h)
  target_include_directories(kvlab_fuzz_checks PUBLIC ${PROJECT_SOURCE_DIR}/fuzz)
  target_link_libraries(kvlab_fuzz_checks PUBLIC kvlabcore)
endif()
set(extra_libs_hardening kvlab_fuzz_checks Qt6::Sql)
