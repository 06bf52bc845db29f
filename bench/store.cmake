pellora_add_benchmark(bench_store
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/store_bench.cpp
  LIBS pellora_app PkgConfig::SQLITE3)
