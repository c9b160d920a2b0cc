klarwell_add_bench(klarwell-window-bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp
    LIBS klarwell_window)
