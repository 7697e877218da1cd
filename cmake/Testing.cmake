# cuisinotte_add_test(<unit> SOURCES ... LIBRARIES ... [GUI] [DATABASE])
#
# Builds tst_<unit> and registers it with CTest. GUI tests run on the offscreen platform.
# DATABASE tests open the embedded Firebird engine: they get the private engine configuration,
# and leak checking is off for them because LeakSanitizer's tracer crashes inside that engine.
function(cuisinotte_add_test unit)
    cmake_parse_arguments(ARG "GUI;DATABASE" "" "SOURCES;LIBRARIES" ${ARGN})
    set(target tst_${unit})
    add_executable(${target} ${ARG_SOURCES})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} Qt6::Test cuisinotte_options)
    target_compile_definitions(${target} PRIVATE
        CUISINOTTE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        CUISINOTTE_BINARY_DIR="${CMAKE_BINARY_DIR}")
    add_test(NAME ${target} COMMAND ${target})

    set(environment)
    if(ARG_GUI)
        list(APPEND environment QT_QPA_PLATFORM=offscreen)
    endif()
    if(ARG_DATABASE)
        list(APPEND environment "FIREBIRD=${CUISINOTTE_FIREBIRD_ROOT}" "ASAN_OPTIONS=detect_leaks=0")
        add_dependencies(${target} firebird_root)
    endif()
    set_tests_properties(${target} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
