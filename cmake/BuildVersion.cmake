# Run at every build (cmake -P): writes OUT from build_version.h.in with
# PROJECT_VERSION and, in a git checkout SOURCE_DIR, what git describe says.
# configure_file leaves an unchanged file alone, so nothing rebuilds then.
set(GIT_DESCRIBE "")
find_program(GIT_PROGRAM git)
if(GIT_PROGRAM AND EXISTS "${SOURCE_DIR}/.git")
    execute_process(COMMAND ${GIT_PROGRAM} -C ${SOURCE_DIR} describe --tags --always --dirty
        OUTPUT_VARIABLE describe OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE status ERROR_QUIET)
    if(status EQUAL 0)
        set(GIT_DESCRIBE "${describe}")
    endif()
endif()
configure_file(${SOURCE_DIR}/cmake/build_version.h.in ${OUT} @ONLY)
