# Native build: the portable layers and their unit tests (sanitizers are on
# for every target, see CMakeLists.txt).

find_package(JPEG REQUIRED)
target_link_libraries(nimbul_platform PUBLIC JPEG::JPEG)

# libsodium: the update's hash and signature checks (Debian's libsodium-dev).
find_path(NIMBUL_SODIUM_INCLUDE sodium.h REQUIRED)
find_library(NIMBUL_SODIUM_LIB sodium REQUIRED)
target_include_directories(nimbul_update PUBLIC ${NIMBUL_SODIUM_INCLUDE})
target_link_libraries(nimbul_update PUBLIC ${NIMBUL_SODIUM_LIB})

find_package(GTest REQUIRED)
enable_testing()
file(GLOB NIMBUL_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(nimbul_unit_tests ${NIMBUL_UNIT_TESTS} tools/publish.cpp tests/fuzz/fuzz_targets.cpp)
target_include_directories(nimbul_unit_tests PRIVATE tests/unit tools tests/fuzz)
target_compile_definitions(nimbul_unit_tests PRIVATE NIMBUL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(nimbul_unit_tests PRIVATE nimbul_fake GTest::gtest GTest::gtest_main)
include(GoogleTest)
add_test(NAME unit COMMAND nimbul_unit_tests --gtest_brief=1)

# The maker's tool for publishing an update (README, "Publishing an update").
add_executable(nimbul-publish tools/publish_update.cpp tools/publish.cpp)
target_link_libraries(nimbul-publish PRIVATE nimbul_core)

# The parsers under libFuzzer (`make fuzz`, scripts/fuzz.sh); one program,
# NIMBUL_FUZZ_TARGET picks the parser.
if(NIMBUL_FUZZ)
  add_executable(nimbul_fuzz tests/fuzz/fuzz_main.cpp tests/fuzz/fuzz_targets.cpp)
  target_include_directories(nimbul_fuzz PRIVATE tests/fuzz)
  target_link_libraries(nimbul_fuzz PRIVATE nimbul_fake)
  target_link_options(nimbul_fuzz PRIVATE -fsanitize=fuzzer)
endif()
