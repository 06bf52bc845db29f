pellora_add_fuzzer(fuzz_text SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_text.cpp LIBS tessel)
