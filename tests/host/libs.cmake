# The designer program's window class, driven as a user drives it.
find_package(Qt6 REQUIRED COMPONENTS Test)
set(extra_libs_host kvlabdesignerhost Qt6::Test)
