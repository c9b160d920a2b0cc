klarwell_add_bench(klarwell-engine-bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/engine_bench.cpp
    LIBS klarwell_engine)
