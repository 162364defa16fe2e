# The editing tests drive the designer with QTest mouse events.
find_package(Qt6 COMPONENTS Test)
set(extra_libs_editing Qt6::Test)
