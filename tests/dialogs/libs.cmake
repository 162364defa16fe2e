# Key and mouse events are sent with QTest.
find_package(Qt6 REQUIRED COMPONENTS Test)
set(extra_libs_dialogs Qt6::Test)
