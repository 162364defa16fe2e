set(extra_libs_apps Qt6::Sql)
