# Shared target helpers: warnings, libraries and test registration.

add_library(klarwell_warnings INTERFACE)
target_compile_options(klarwell_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<BOOL:${KLARWELL_WERROR}>:-Werror>)

# klarwell_add_library(NAME SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...] [CONVERSION] [QT])
function(klarwell_add_library name)
    cmake_parse_arguments(ARG "CONVERSION;QT" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS}
        klarwell_warnings)
    if(ARG_CONVERSION)
        target_compile_options(${name} PRIVATE -Wconversion)
    endif()
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    endif()
endfunction()

# klarwell_add_test(NAME SOURCES ... LIBS ... [QT] [LABELS ...]): registers every GoogleTest case
# with CTest.
function(klarwell_add_test name)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest klarwell_warnings)
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "${KLARWELL_TEST_ENVIRONMENT}" LABELS "${ARG_LABELS}")
endfunction()

# klarwell_add_bench(NAME SOURCES ... LIBS ...): a Google Benchmark executable, never a test.
function(klarwell_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark klarwell_warnings)
endfunction()
