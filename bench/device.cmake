pellora_add_benchmark(bench_device SOURCES ${CMAKE_CURRENT_LIST_DIR}/device_bench.cpp
  LIBS pellora_app pellora_sim)
