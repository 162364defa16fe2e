find_package(Qt6 COMPONENTS Test)
set(extra_libs_hidpi Qt6::Test)
