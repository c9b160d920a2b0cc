klarwell_add_bench(klarwell-window-bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp
    LIBS klarwell_window)
