find_package(Qt6 REQUIRED COMPONENTS Test)
klarwell_add_bench(klarwell_progressbar_bench
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/progressbar_bench.cpp
    LIBS klarwell_progressbar Qt6::Test)
target_compile_definitions(klarwell_progressbar_bench PRIVATE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
