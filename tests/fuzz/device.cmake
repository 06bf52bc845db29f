pellora_add_fuzzer(fuzz_device SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_device.cpp LIBS pellora_app)
pellora_add_fuzzer(fuzz_device_descriptor
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_device_descriptor.cpp LIBS pellora_app)
pellora_add_fuzzer(fuzz_device_firmware
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_device_firmware.cpp LIBS pellora_sim)
