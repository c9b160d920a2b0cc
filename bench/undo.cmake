klarwell_add_bench(klarwell-undo-bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/undo_bench.cpp
    LIBS klarwell_undo_run)
