# The registration tests load the built Designer plugin; the start-up tests
# run a probe program under different user locales. Both are built before
# test_strings and found through the definitions below.
find_package(Qt6 COMPONENTS UiPlugin)
add_executable(kvlab_language_probe ${CMAKE_CURRENT_LIST_DIR}/probe/LanguageProbe.cpp)
target_link_libraries(kvlab_language_probe PRIVATE kvlabcore)
set_target_properties(kvlab_language_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

add_library(kvlab_strings_test_deps INTERFACE)
add_dependencies(kvlab_strings_test_deps kvlab_language_probe)
target_compile_definitions(kvlab_strings_test_deps INTERFACE
  KVLAB_LANGUAGE_PROBE="$<TARGET_FILE:kvlab_language_probe>")
if(TARGET kvlabdesigner)
  add_dependencies(kvlab_strings_test_deps kvlabdesigner)
  target_compile_definitions(kvlab_strings_test_deps INTERFACE
    KVLAB_DESIGNER_PLUGIN="$<TARGET_FILE:kvlabdesigner>")
  target_link_libraries(kvlab_strings_test_deps INTERFACE Qt6::UiPlugin)
endif()
set(extra_libs_strings kvlab_strings_test_deps)
