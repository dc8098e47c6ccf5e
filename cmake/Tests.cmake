# Each folder under tests/ gives up to two GoogleTest executables:
#   test_<folder>    from *_test.cpp    plain C++, no window (label "unit")
#   gltest_<folder>  from *_gltest.cpp  needs a display and an OpenGL 3.2 context (label "gl")
# tests/support/ holds helpers shared by both kinds. tests/e2e/*.sh start the
# real game from a copy of the run folder (label "e2e").

# Tests never see the player's real folders: HOME and the XDG bases point into
# the build, where Mesa's shader cache also stays warm between runs. A test
# that checks what the game writes makes folders of its own below these.
set(TEST_HOME ${CMAKE_BINARY_DIR}/test-home)
# Mesa makes its cache folder but not the folders above it.
file(MAKE_DIRECTORY ${TEST_HOME}/.cache)
set(GL_TEST_ENV
    "HOME=${TEST_HOME}"
    "XDG_CONFIG_HOME=${TEST_HOME}/.config"
    "XDG_CACHE_HOME=${TEST_HOME}/.cache"
    "XDG_DATA_HOME=${TEST_HOME}/.local/share"
    "MESA_GL_VERSION_OVERRIDE=3.2"
    "MESA_GLSL_VERSION_OVERRIDE=150"
    "ALSOFT_DRIVERS=null"
    "GLIBC_TUNABLES=glibc.malloc.mmap_threshold=67108864:glibc.malloc.trim_threshold=1073741824")

function(add_cueflight_test_executable name label sources)
    add_executable(${name} ${sources} ${SUPPORT_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE cueflight_core GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        CUEFLIGHT_SOURCE_DIR="${CMAKE_SOURCE_DIR}" CUEFLIGHT_RUN_DIR="${RUN_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS ${label} ENVIRONMENT "${GL_TEST_ENV}")
    if(label STREQUAL "gl")
        # One display is shared by every GL test: keep them from fighting over it.
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
endfunction()

function(add_cueflight_tests)
    file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
    file(GLOB test_dirs LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
    foreach(dir ${test_dirs})
        get_filename_component(folder ${dir} NAME)
        if(NOT IS_DIRECTORY ${dir} OR folder STREQUAL "support" OR folder STREQUAL "e2e")
            continue()
        endif()
        file(GLOB_RECURSE unit_sources CONFIGURE_DEPENDS ${dir}/*_test.cpp)
        if(unit_sources)
            add_cueflight_test_executable(test_${folder} unit "${unit_sources}")
        endif()
        file(GLOB_RECURSE gl_sources CONFIGURE_DEPENDS ${dir}/*_gltest.cpp)
        if(gl_sources AND NOT CUEFLIGHT_SANITIZE)
            add_cueflight_test_executable(gltest_${folder} gl "${gl_sources}")
        endif()
    endforeach()

    if(NOT CUEFLIGHT_SANITIZE)
        file(GLOB e2e_scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
        foreach(script ${e2e_scripts})
            get_filename_component(name ${script} NAME_WE)
            add_test(NAME e2e_${name} COMMAND bash ${script} ${RUN_DIR})
            set_tests_properties(e2e_${name} PROPERTIES
                LABELS e2e RESOURCE_LOCK display ENVIRONMENT "${GL_TEST_ENV}")
        endforeach()
    endif()
endfunction()
