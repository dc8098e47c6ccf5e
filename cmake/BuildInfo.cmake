# Two generated headers the game's programs include: where the installed data
# lies seen from bin/ (install_layout.h), and the version with the checkout's
# git describe (build_version.h, rewritten at every build, touched only when it
# changes).
set(GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(RELATIVE_PATH DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/cueflight)
configure_file(${CMAKE_SOURCE_DIR}/cmake/install_layout.h.in ${GENERATED_DIR}/install_layout.h
               @ONLY)
add_custom_target(build_version
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DPROJECT_VERSION=${PROJECT_VERSION} -DOUT=${GENERATED_DIR}/build_version.h
            -P ${CMAKE_SOURCE_DIR}/cmake/BuildVersion.cmake
    BYPRODUCTS ${GENERATED_DIR}/build_version.h
    COMMENT "Version of this checkout" VERBATIM)
add_library(cueflight_build_info INTERFACE)
target_include_directories(cueflight_build_info INTERFACE ${GENERATED_DIR})
add_dependencies(cueflight_build_info build_version)
