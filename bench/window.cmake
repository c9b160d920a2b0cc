klarwell_add_bench(klarwell-window-bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp
    LIBS klarwell_window)
target_compile_definitions(klarwell-window-bench PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
