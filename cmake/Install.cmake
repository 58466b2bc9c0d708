# cmake --install: the headers under include/lm7, the libraries, a CMake package
#   find_package(lm7 CONFIG REQUIRED)   target_link_libraries(tool PRIVATE lm7::package lm7::host)
# and a pkg-config file (pkg-config --cflags --libs lm7).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(LM7_LIBRARIES framework_platform framework_rtl framework_classes framework_graphics
    framework_inifiles framework_controls framework_forms framework_dialogs framework
    vendor sibling package host)
install(TARGETS ${LM7_LIBRARIES} EXPORT lm7Targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lm7
        FILES_MATCHING PATTERN "*.h")

set(LM7_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/lm7)
install(EXPORT lm7Targets NAMESPACE lm7:: DESTINATION ${LM7_CMAKE_DIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/lm7Config.cmake.in
                              ${CMAKE_BINARY_DIR}/lm7Config.cmake INSTALL_DESTINATION ${LM7_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/lm7ConfigVersion.cmake VERSION 1.0
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/lm7Config.cmake ${CMAKE_BINARY_DIR}/lm7ConfigVersion.cmake
        DESTINATION ${LM7_CMAKE_DIR})

# Static libraries: pkg-config lists them from the top layer down, then what they need. The
# prefix is found from where the file lies, so an install moved elsewhere still works.
set(LM7_PC_LIBS "")
foreach(lib host package sibling vendor framework_dialogs framework_forms framework_controls
        framework_inifiles framework_graphics framework_classes framework_rtl framework_platform)
  get_target_property(type ${lib} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    string(APPEND LM7_PC_LIBS " -llm7_${lib}")
  endif()
endforeach()
file(RELATIVE_PATH LM7_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" LM7_PC_TO_PREFIX "${LM7_PC_TO_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/lm7.pc.in ${CMAKE_BINARY_DIR}/lm7.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/lm7.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
