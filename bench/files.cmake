# Benchmarks of app/files: parsing and walking XML, measured beside pugixml (benchmark only).
find_package(PkgConfig REQUIRED)
pkg_check_modules(PUGIXML IMPORTED_TARGET pugixml)
if(PUGIXML_FOUND)
  pellora_add_benchmark(bench_xml
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/xml_parse_bench.cpp
    LIBS pellora_app PkgConfig::PUGIXML)
else()
  message(STATUS "pugixml not found: bench_xml is not built")
endif()
