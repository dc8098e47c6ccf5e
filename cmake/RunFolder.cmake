# Helpers that fill build/run/. Generators in tools/ register their outputs
# with add_run_files(); hand-written files under data/ are copied as they are,
# but for data/install/, which describes the installed game to the desktop
# and the package (cmake/Install.cmake) and is nothing the game reads.

# A custom command's outputs can only be built by targets of the directory
# that declares it, so each call also makes a target there for run_folder to
# wait for.
function(add_run_files)
    set_property(GLOBAL APPEND PROPERTY CUEFLIGHT_RUN_FILES ${ARGN})
    get_property(count GLOBAL PROPERTY CUEFLIGHT_RUN_TARGET_COUNT)
    if(NOT count)
        set(count 0)
    endif()
    math(EXPR count "${count} + 1")
    set_property(GLOBAL PROPERTY CUEFLIGHT_RUN_TARGET_COUNT ${count})
    add_custom_target(run_files_${count} DEPENDS ${ARGN})
    set_property(GLOBAL APPEND PROPERTY CUEFLIGHT_RUN_TARGETS run_files_${count})
endfunction()

function(copy_data_into_run_folder)
    file(GLOB_RECURSE data_files CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/data
         ${CMAKE_SOURCE_DIR}/data/*)
    list(FILTER data_files EXCLUDE REGEX "^install/")
    foreach(rel ${data_files})
        set(out ${RUN_DIR}/${rel})
        add_custom_command(OUTPUT ${out}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/data/${rel} ${out}
            DEPENDS ${CMAKE_SOURCE_DIR}/data/${rel}
            COMMENT "run folder: ${rel}" VERBATIM)
        add_run_files(${out})
    endforeach()
endfunction()
