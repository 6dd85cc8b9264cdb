# Cross build: Nimbul.exe, the Win32 tests, the end-to-end programs and the
# benchmarks, all 32-bit Windows programs with the runtime linked statically.
set(NIMBUL_DEPS "/opt/nimbulon-deps/i686" CACHE PATH "Cross-built GoogleTest and libjpeg")
set(NIMBUL_STATIC -static -static-libgcc -static-libstdc++)
set(NIMBUL_SYSLIBS comctl32 comdlg32 shell32 user32 gdi32 advapi32 version wininet ws2_32 ole32 uuid)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
# A lean executable: each function and datum in a section of its own, so the
# link keeps only what is reached, and optimised for size, which costs no
# benchmark figure (the program waits on the window manager, not on its code).
add_compile_options(-ffunction-sections -fdata-sections)
set(NIMBUL_OPTIMIZE "-Os" CACHE STRING "Optimisation of the release build (-O3, the default of a release build, to compare benchmark figures)")
set(CMAKE_C_FLAGS_RELEASE "${NIMBUL_OPTIMIZE} -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "${NIMBUL_OPTIMIZE} -DNDEBUG")

# The picture decoder, linked statically into the platform layer that uses it.
add_library(nimbul_jpeg STATIC IMPORTED)
set_target_properties(nimbul_jpeg PROPERTIES
  IMPORTED_LOCATION ${NIMBUL_DEPS}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${NIMBUL_DEPS}/include)
target_link_libraries(nimbul_platform PUBLIC nimbul_jpeg)

# libsodium, cross-built from Debian's source package by the bootstrap.
add_library(nimbul_sodium STATIC IMPORTED)
set_target_properties(nimbul_sodium PROPERTIES
  IMPORTED_LOCATION ${NIMBUL_DEPS}/lib/libsodium.a
  INTERFACE_INCLUDE_DIRECTORIES ${NIMBUL_DEPS}/include
  INTERFACE_COMPILE_DEFINITIONS SODIUM_STATIC=1
  INTERFACE_LINK_LIBRARIES advapi32)
target_link_libraries(nimbul_update PUBLIC nimbul_sodium)

add_library(nimbul_win32 INTERFACE)
target_link_libraries(nimbul_win32 INTERFACE nimbul_core nimbul_ui_win32 nimbul_platform_win32 ${NIMBUL_SYSLIBS})

add_library(nimbul_gtest STATIC IMPORTED)
set_target_properties(nimbul_gtest PROPERTIES
  IMPORTED_LOCATION ${NIMBUL_DEPS}/lib/libgtest.a
  INTERFACE_INCLUDE_DIRECTORIES ${NIMBUL_DEPS}/include)
add_library(nimbul_gtest_main STATIC IMPORTED)
set_target_properties(nimbul_gtest_main PROPERTIES IMPORTED_LOCATION ${NIMBUL_DEPS}/lib/libgtest_main.a)

add_executable(Nimbul WIN32 src/app/main_win32.cpp src/app/lean_runtime_win32.cpp res/nimbul.rc)
# The resource compiler does not report the files the script pulls in.
file(GLOB NIMBUL_RESOURCE_FILES CONFIGURE_DEPENDS res/*.bmp res/*.ico res/*.jpg res/*.manifest)
set_source_files_properties(res/nimbul.rc PROPERTIES OBJECT_DEPENDS "${NIMBUL_RESOURCE_FILES}")
set_target_properties(Nimbul PROPERTIES OUTPUT_NAME Nimbul)
target_link_libraries(Nimbul PRIVATE nimbul_win32)
# Unreached sections dropped, symbols stripped: scripts/check-exe.sh holds
# the file to its size limit.
target_link_options(Nimbul PRIVATE ${NIMBUL_STATIC} -Wl,--gc-sections -s)

# Win32 layer tests under Wine.
file(GLOB NIMBUL_WIN32_TESTS CONFIGURE_DEPENDS tests/win32/*.cpp tests/win32/*.rc)
if(NIMBUL_WIN32_TESTS)
  add_executable(nimbul_win32_tests ${NIMBUL_WIN32_TESTS})
  target_include_directories(nimbul_win32_tests PRIVATE tests/support)
  target_link_libraries(nimbul_win32_tests PRIVATE nimbul_win32 nimbul_fake nimbul_gtest_main nimbul_gtest)
  target_link_options(nimbul_win32_tests PRIVATE ${NIMBUL_STATIC})
endif()

# End-to-end: the driver (tests) and the helper that opens target windows.
file(GLOB NIMBUL_E2E_LIB CONFIGURE_DEPENDS tests/e2e/lib/*.cpp)
file(GLOB NIMBUL_E2E_TESTS CONFIGURE_DEPENDS tests/e2e/*.cpp)
if(NIMBUL_E2E_TESTS)
  add_library(nimbul_e2e_lib STATIC ${NIMBUL_E2E_LIB})
  target_include_directories(nimbul_e2e_lib PUBLIC tests/e2e/lib tests/support src)
  target_link_libraries(nimbul_e2e_lib PUBLIC nimbul_gtest ${NIMBUL_SYSLIBS})
  add_executable(nimbul_e2e_tests ${NIMBUL_E2E_TESTS})
  # The update tests sign what they serve with the build's own key.
  target_compile_definitions(nimbul_e2e_tests PRIVATE NIMBUL_TEST_UPDATE_SECRET_KEY="${NIMBUL_UPDATE_SECRET_KEY}")
  target_link_libraries(nimbul_e2e_tests PRIVATE nimbul_e2e_lib nimbul_update nimbul_gtest_main nimbul_gtest)
  target_link_options(nimbul_e2e_tests PRIVATE ${NIMBUL_STATIC})
endif()
# The installer and uninstaller of the release, driven the same way.
file(GLOB NIMBUL_RELEASE_TESTS CONFIGURE_DEPENDS tests/release/*.cpp)
if(NIMBUL_RELEASE_TESTS AND TARGET nimbul_e2e_lib)
  add_executable(nimbul_release_tests ${NIMBUL_RELEASE_TESTS})
  target_link_libraries(nimbul_release_tests PRIVATE nimbul_e2e_lib nimbul_gtest_main nimbul_gtest)
  target_link_options(nimbul_release_tests PRIVATE ${NIMBUL_STATIC})
endif()
# The soak (`make soak`), driven the same way.
file(GLOB NIMBUL_SOAK_TESTS CONFIGURE_DEPENDS tests/soak/*.cpp)
if(NIMBUL_SOAK_TESTS AND TARGET nimbul_e2e_lib)
  add_executable(nimbul_soak_tests ${NIMBUL_SOAK_TESTS})
  target_link_libraries(nimbul_soak_tests PRIVATE nimbul_e2e_lib nimbul_gtest_main nimbul_gtest psapi)
  target_link_options(nimbul_soak_tests PRIVATE ${NIMBUL_STATIC})
endif()
# A version library to plant beside a copy of Nimbul.exe; named otherwise here,
# so that the driver, which imports the system's, never loads it.
if(TARGET nimbul_e2e_tests)
  add_library(planted_version SHARED tests/e2e/planted/version.cpp tests/e2e/planted/version.def)
  set_target_properties(planted_version PROPERTIES PREFIX "" OUTPUT_NAME planted-version)
  target_link_options(planted_version PRIVATE ${NIMBUL_STATIC})
  add_dependencies(nimbul_e2e_tests planted_version)
endif()
file(GLOB NIMBUL_TARGETS CONFIGURE_DEPENDS tests/e2e/targets/*.cpp)
if(NIMBUL_TARGETS)
  add_executable(targets WIN32 ${NIMBUL_TARGETS})
  target_link_libraries(targets PRIVATE ${NIMBUL_SYSLIBS})
  target_link_options(targets PRIVATE ${NIMBUL_STATIC})
endif()

# Benchmarks: one program per file in bench/.
file(GLOB NIMBUL_BENCHES CONFIGURE_DEPENDS bench/*.cpp)
foreach(src ${NIMBUL_BENCHES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(bench_${name} ${src})
  target_include_directories(bench_${name} PRIVATE bench tests/support src)
  target_link_libraries(bench_${name} PRIVATE nimbul_win32 nimbul_fake)
  target_link_options(bench_${name} PRIVATE ${NIMBUL_STATIC})
endforeach()
if(TARGET bench_memory)
  target_link_libraries(bench_memory PRIVATE psapi)
endif()
# The hotkey baseline stands for an ordinary windowed program.
if(TARGET bench_minimal_hotkey)
  set_target_properties(bench_minimal_hotkey PROPERTIES WIN32_EXECUTABLE ON)
endif()
