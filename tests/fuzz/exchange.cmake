# Fuzz target of the exchange files: profile and macro import of arbitrary bytes.
pellora_add_fuzzer(fuzz_exchange SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_exchange.cpp
  LIBS pellora_app PkgConfig::SQLITE3)
