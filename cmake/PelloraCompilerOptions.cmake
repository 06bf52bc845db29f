# Warnings and sanitizers shared by every target of the project.
add_library(pellora_warnings INTERFACE)
target_compile_options(pellora_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor -Wcast-qual -Wformat=2
  # Designated initialisers leave the rest at their defaults on purpose.
  -Wno-missing-field-initializers)

if(PELLORA_SANITIZE STREQUAL "address")
  set(_pellora_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
elseif(PELLORA_SANITIZE STREQUAL "thread")
  set(_pellora_san -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT PELLORA_SANITIZE STREQUAL "")
  message(FATAL_ERROR "PELLORA_SANITIZE must be address, thread or empty (got '${PELLORA_SANITIZE}')")
endif()
if(_pellora_san)
  add_compile_options(${_pellora_san})
  add_link_options(${_pellora_san})
endif()

# Fuzz targets: with PELLORA_FUZZ on clang they link libFuzzer; otherwise each target is built
# with a small driver that replays its corpus and a batch of random inputs as an ordinary test.
function(pellora_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_link_libraries(${name} PRIVATE ${F_LIBS} pellora_warnings)
  set(corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  if(PELLORA_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_driver.cpp)
    if(PELLORA_BUILD_TESTS)
      add_test(NAME fuzz.${name} COMMAND ${name} ${corpus})
    endif()
  endif()
endfunction()
