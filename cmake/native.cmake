# Native build: the portable layers and their unit tests, with sanitizers.
set(NIMBUL_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(nimbul_core PUBLIC ${NIMBUL_SANITIZE})
target_link_options(nimbul_core PUBLIC ${NIMBUL_SANITIZE})

find_package(JPEG REQUIRED)
target_link_libraries(nimbul_core PUBLIC JPEG::JPEG)

# libsodium: the update's hash and signature checks (Debian's libsodium-dev).
find_path(NIMBUL_SODIUM_INCLUDE sodium.h REQUIRED)
find_library(NIMBUL_SODIUM_LIB sodium REQUIRED)
target_include_directories(nimbul_core PUBLIC ${NIMBUL_SODIUM_INCLUDE})
target_link_libraries(nimbul_core PUBLIC ${NIMBUL_SODIUM_LIB})

find_package(GTest REQUIRED)
enable_testing()
file(GLOB NIMBUL_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(nimbul_unit_tests ${NIMBUL_UNIT_TESTS})
target_include_directories(nimbul_unit_tests PRIVATE tests/unit)
target_link_libraries(nimbul_unit_tests PRIVATE nimbul_fake GTest::gtest GTest::gtest_main)
include(GoogleTest)
add_test(NAME unit COMMAND nimbul_unit_tests --gtest_brief=1)
