pellora_add_benchmark(bench_toolkit_paint SOURCES ${CMAKE_CURRENT_LIST_DIR}/toolkit_paint_bench.cpp LIBS tessel)
