# Key and mouse events are sent with QTest.
find_package(Qt6 REQUIRED COMPONENTS Test)
set(extra_libs_controls Qt6::Test)
