# Fuzz targets of app/files: XML reading, parsing and editing.
pellora_add_fuzzer(fuzz_xml SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_xml.cpp LIBS pellora_app)
