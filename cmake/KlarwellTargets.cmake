# Shared target helpers: warnings, the sanitized twins of the engine and progress bar libraries,
# and test registration.

add_library(klarwell_warnings INTERFACE)
target_compile_options(klarwell_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<BOOL:${KLARWELL_WERROR}>:-Werror>)

set(KLARWELL_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

# Maps a list of libraries to their sanitized twins where one exists.
function(klarwell_san_libs out)
    set(result)
    foreach(lib IN LISTS ARGN)
        if(TARGET ${lib}_san)
            list(APPEND result ${lib}_san)
        else()
            list(APPEND result ${lib})
        endif()
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# klarwell_add_library(NAME SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...]
#                      [CONVERSION] [SANITIZED] [QT])
# SANITIZED adds NAME_san, built from the same sources with ASan/UBSan, when KLARWELL_SANITIZE is on.
function(klarwell_add_library name)
    cmake_parse_arguments(ARG "CONVERSION;SANITIZED;QT" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    set(variants ${name})
    if(ARG_SANITIZED AND KLARWELL_SANITIZE)
        list(APPEND variants ${name}_san)
    endif()
    foreach(target IN LISTS variants)
        add_library(${target} STATIC ${ARG_SOURCES})
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} PRIVATE klarwell_warnings)
        set(public_libs ${ARG_PUBLIC_LIBS})
        set(private_libs ${ARG_PRIVATE_LIBS})
        if(target MATCHES "_san$")
            klarwell_san_libs(public_libs ${public_libs})
            klarwell_san_libs(private_libs ${private_libs})
            target_compile_options(${target} PUBLIC ${KLARWELL_SANITIZE_FLAGS})
            target_link_options(${target} PUBLIC ${KLARWELL_SANITIZE_FLAGS})
        endif()
        target_link_libraries(${target} PUBLIC ${public_libs} PRIVATE ${private_libs})
        if(ARG_CONVERSION)
            target_compile_options(${target} PRIVATE -Wconversion)
        endif()
        if(ARG_QT)
            set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
            target_compile_definitions(${target} PUBLIC QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
        endif()
    endforeach()
endfunction()

# klarwell_add_test(NAME SOURCES ... LIBS ... [SANITIZED] [QT])
# Registers every GoogleTest case with CTest; SANITIZED also builds NAME_san against the sanitized
# libraries and registers its cases under the prefix "san.".
function(klarwell_add_test name)
    cmake_parse_arguments(ARG "SANITIZED;QT" "" "SOURCES;LIBS" ${ARGN})
    set(variants ${name})
    if(ARG_SANITIZED AND KLARWELL_SANITIZE)
        list(APPEND variants ${name}_san)
    endif()
    foreach(target IN LISTS variants)
        add_executable(${target} ${ARG_SOURCES})
        set(libs ${ARG_LIBS})
        set(prefix "")
        if(target MATCHES "_san$")
            klarwell_san_libs(libs ${libs})
            target_compile_options(${target} PRIVATE ${KLARWELL_SANITIZE_FLAGS})
            target_link_options(${target} PRIVATE ${KLARWELL_SANITIZE_FLAGS})
            set(prefix "san.")
        endif()
        target_link_libraries(${target} PRIVATE ${libs} GTest::gmock GTest::gtest klarwell_warnings)
        if(ARG_QT)
            set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
            target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
        endif()
        gtest_discover_tests(${target}
            TEST_PREFIX "${prefix}"
            DISCOVERY_MODE PRE_TEST
            DISCOVERY_TIMEOUT 60
            PROPERTIES ENVIRONMENT
            "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1")
    endforeach()
endfunction()

# klarwell_add_bench(NAME SOURCES ... LIBS ...): a Google Benchmark executable, never a test.
function(klarwell_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark klarwell_warnings)
endfunction()
