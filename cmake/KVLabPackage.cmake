# The installed library as others consume it: headers under include/kvlab,
# the CMake package KVLab (target KVLab::kvlab), the pkg-config module kvlab,
# and the Debian package that CPack makes of all of it (scripts/package).
include(CMakePackageConfigHelpers)
set(KVLAB_SUMMARY "Qt 6 component library for designing and printing sheets of labels")

install(TARGETS kvlabcore EXPORT KVLabTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
foreach(dir ${KVLAB_LAYERS})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kvlab/${dir}
          FILES_MATCHING PATTERN "*.h" PATTERN plugin EXCLUDE PATTERN KvPrev EXCLUDE)
endforeach()
# The dialogs inherit the classes uic generates from their forms.
install(DIRECTORY ${CMAKE_BINARY_DIR}/kvlab_dialogs_autogen/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kvlab/dialogs
        FILES_MATCHING PATTERN "ui_*.h")

# A library built with the sanitizers needs their runtime first in every
# program that loads it: consumers link with the same options.
set(KVLAB_CONSUMER_LINK_OPTIONS)
if(KVLAB_SANITIZE)
  set(KVLAB_CONSUMER_LINK_OPTIONS -fsanitize=address,undefined)
  target_link_options(kvlabcore INTERFACE $<INSTALL_INTERFACE:${KVLAB_CONSUMER_LINK_OPTIONS}>)
endif()

set(KVLAB_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/KVLab)
install(EXPORT KVLabTargets NAMESPACE KVLab:: FILE KVLabTargets.cmake DESTINATION ${KVLAB_CMAKE_DIR})
list(JOIN KVLAB_QT_COMPONENTS " " KVLAB_QT_COMPONENTS_TEXT)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KVLabConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/package/KVLabConfig.cmake
                              INSTALL_DESTINATION ${KVLAB_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/KVLabConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/KVLabConfig.cmake ${CMAKE_BINARY_DIR}/package/KVLabConfigVersion.cmake
        DESTINATION ${KVLAB_CMAKE_DIR})

# kvlab.pc finds the prefix from its own place, so that it is right for any
# --prefix given to cmake --install and for a moved tree.
set(KVLAB_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
foreach(d KVLAB_PC_DIR CMAKE_INSTALL_LIBDIR CMAKE_INSTALL_INCLUDEDIR)
  if(IS_ABSOLUTE "${${d}}")
    message(FATAL_ERROR "${d} must be relative to the prefix for a relocatable kvlab.pc: ${${d}}")
  endif()
endforeach()
file(RELATIVE_PATH KVLAB_PC_TO_PREFIX /prefix/${KVLAB_PC_DIR} /prefix)
string(REGEX REPLACE "/$" "" KVLAB_PC_TO_PREFIX "${KVLAB_PC_TO_PREFIX}")
set(KVLAB_PC_REQUIRES ${KVLAB_QT_COMPONENTS})
list(TRANSFORM KVLAB_PC_REQUIRES PREPEND Qt6)
list(JOIN KVLAB_PC_REQUIRES " " KVLAB_PC_REQUIRES)
list(JOIN KVLAB_CONSUMER_LINK_OPTIONS " " KVLAB_PC_LINK_OPTIONS)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kvlab.pc.in ${CMAKE_BINARY_DIR}/package/kvlab.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/kvlab.pc DESTINATION ${KVLAB_PC_DIR})

# The Debian package: one package with the library, its headers and package
# files, both programs, the Designer plugin, the language modules and the
# examples. dpkg-shlibdeps (dpkg-dev) finds the shared libraries it needs;
# what is loaded at run time by name is listed by hand: the SQLite driver
# for the example database and the data layer's default, and the fonts that
# stand in for Arial.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvlab)
set(CPACK_PACKAGE_VENDOR "KVLab")
set(CPACK_PACKAGE_CONTACT "KVLab developers <kvlab@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${KVLAB_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION "${KVLAB_SUMMARY}. The designer widget TKVLab, the fractional spin edit \
TSpinEditFloat and their Qt Designer plugin, the desktop designer kvlab-designer and the command-line tool kvlab.")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/dist)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The library is in the package itself: dpkg-shlibdeps must not look for it
# in another one.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql, qt6-translations-l10n")
include(CPack)
