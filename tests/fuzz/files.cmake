# Fuzz targets of app/files: XML reading, parsing and editing. The XML sources are compiled into
# the target itself so that libFuzzer's coverage instrumentation reaches them.
pellora_add_fuzzer(fuzz_xml
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_xml.cpp
          ${PROJECT_SOURCE_DIR}/app/files/xml_doc.cpp
          ${PROJECT_SOURCE_DIR}/app/files/xml_encoding.cpp
          ${PROJECT_SOURCE_DIR}/app/files/xml_entities.cpp
  LIBS tessel)
target_include_directories(fuzz_xml PRIVATE ${PROJECT_SOURCE_DIR}/app)
