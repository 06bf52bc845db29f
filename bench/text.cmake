pellora_add_benchmark(bench_text SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_bench.cpp LIBS tessel)
