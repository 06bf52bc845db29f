pellora_add_benchmark(bench_worker SOURCES ${CMAKE_CURRENT_LIST_DIR}/worker_bench.cpp
  LIBS pellora_app pellora_sim)
