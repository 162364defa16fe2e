find_package(Qt6 REQUIRED COMPONENTS Network)
set(extra_libs_printing Qt6::Network)
