find_package(Qt6 REQUIRED COMPONENTS Test)
klarwell_add_bench(klarwell-progressbar-bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/progressbar_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp
    LIBS klarwell_progressbar_qt Qt6::Test)
