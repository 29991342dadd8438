# Every library folder follows one convention: its *.cpp files form the library, *_test.cpp files
# its GoogleTest program, together with the *Test.cpp files that hold what a test-support header
# (*Test.h) cannot define twice (run-time classes, message maps), *_benchmark.cpp files its
# benchmark program and each *_fuzzer.cpp file a libFuzzer target of its own.

add_compile_options(-Wall -Wextra -Werror)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Text inside the programs is GBK, as on the original platform. GB18030 gives every GBK
    # character the same bytes and, unlike GBK, can also encode the few characters the standard
    # library's own headers use (the "µs" of <chrono>). Clang cannot produce GBK literals; it only
    # builds the fuzz targets, where the literals' bytes do not matter.
    add_compile_options(-finput-charset=UTF-8 -fexec-charset=GB18030)
    if(CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        # GCC 12 reports overlapping copies inside std::string's operator+ when optimising
        # ("literal" + std::string&&), a false positive fixed in GCC 13.
        add_compile_options(-Wno-restrict)
    endif()
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # The framework's classes each declare their own Create with the arguments that class takes,
    # hiding the base class's on purpose, as programs written for it expect.
    add_compile_options(-Wno-overloaded-virtual)
endif()
if(PROJECT_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()
if(PROJECT_FUZZERS)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

set(PROJECT_TEST_REGISTRY "${CMAKE_BINARY_DIR}/test-registry.dat")

# TEST_TIMEOUT gives each test of the library a time limit in seconds, for libraries whose faults
# show as hangs (hostile input that once took minutes, files that could block a reader).
# SOURCES names the library's files where the folder's other *.cpp files build something else.
function(project_library name)
    cmake_parse_arguments(ARG "" "TEST_TIMEOUT" "DEPS;TEST_DEPS;SOURCES" ${ARGN})
    file(GLOB all_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    if(ARG_SOURCES)
        set(sources ${ARG_SOURCES})
    else()
        set(sources ${all_sources})
        list(FILTER sources EXCLUDE REGEX "(_test|_benchmark|_fuzzer|Test)\\.cpp$")
    endif()
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}")
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()

    set(tests ${all_sources})
    list(FILTER tests INCLUDE REGEX "(_test|Test)\\.cpp$")
    if(tests AND BUILD_TESTING)
        add_executable(${name}_tests ${tests})
        target_link_libraries(${name}_tests PRIVATE ${name} ${ARG_TEST_DEPS} platform_testing
                              GTest::gmock GTest::gtest_main)
        # Pictures and files that tests leave for a person to look at.
        target_compile_definitions(${name}_tests
                                   PRIVATE PROJECT_TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output")
        set(timeout_property)
        if(ARG_TEST_TIMEOUT)
            set(timeout_property TIMEOUT ${ARG_TEST_TIMEOUT})
        endif()
        gtest_discover_tests(${name}_tests
            DISCOVERY_MODE PRE_TEST
            WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
            PROPERTIES ENVIRONMENT "PLATFORM_REGISTRY_FILE=${PROJECT_TEST_REGISTRY};PLATFORM_DISPLAY=headless"
                       ${timeout_property})
    endif()

    set(benchmarks ${all_sources})
    list(FILTER benchmarks INCLUDE REGEX "_benchmark\\.cpp$")
    if(benchmarks AND PROJECT_BENCHMARKS)
        add_executable(${name}_benchmarks ${benchmarks})
        target_link_libraries(${name}_benchmarks PRIVATE ${name} ${ARG_TEST_DEPS} platform_testing
                              benchmark::benchmark_main)
    endif()

    set(fuzzers ${all_sources})
    list(FILTER fuzzers INCLUDE REGEX "_fuzzer\\.cpp$")
    if(PROJECT_FUZZERS)
        foreach(fuzzer ${fuzzers})
            get_filename_component(fuzzer_name "${fuzzer}" NAME_WE)
            add_executable(${fuzzer_name} "${fuzzer}")
            target_link_libraries(${fuzzer_name} PRIVATE ${name} platform_testing)
            target_link_options(${fuzzer_name} PRIVATE -fsanitize=fuzzer)
            set_property(GLOBAL APPEND PROPERTY PROJECT_FUZZER_TARGETS ${fuzzer_name})
        endforeach()
    endif()
endfunction()

# A program, or a test program, that may load the desktop module (platform/display) on a desktop,
# and with it the page engine's module.
# The modules link no platform library: they call the program's, so that one window list, one set
# of queues and one screen serve both. The program therefore exports its functions, and links the
# platform libraries the modules call whole, so that each function they need is there even where
# the program itself never calls it. The modules are linked beside the program, where the display
# looks for them.
function(link_desktop_module target)
    set_target_properties(${target} PROPERTIES ENABLE_EXPORTS ON)
    foreach(library ${PROJECT_DESKTOP_MODULE_CALLS})
        target_link_options(${target} PRIVATE
                            "LINKER:--whole-archive,$<TARGET_FILE:${library}>,--no-whole-archive")
        target_link_libraries(${target} PRIVATE ${library})
    endforeach()
    foreach(module platform_desktop_display platform_webkit_view)
        add_dependencies(${target} ${module})
        get_target_property(module_folder ${module} BINARY_DIR)
        if(NOT CMAKE_CURRENT_BINARY_DIR STREQUAL module_folder)
            add_custom_command(TARGET ${target} POST_BUILD
                COMMAND ${CMAKE_COMMAND} -E create_symlink "$<TARGET_FILE:${module}>"
                        "$<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_NAME:${module}>"
                VERBATIM)
        endif()
    endforeach()
endfunction()
