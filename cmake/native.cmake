# Native (Linux) build: POSIX platform, CLI, unit tests, benchmarks.
file(GLOB KZ_POSIX_SOURCES CONFIGURE_DEPENDS platform/posix/*.cpp)
add_library(kz_posix STATIC ${KZ_POSIX_SOURCES})
find_package(Threads REQUIRED)
target_link_libraries(kz_posix PUBLIC kz_platform_seams Threads::Threads)

file(GLOB KZ_CLI_SOURCES CONFIGURE_DEPENDS app/cli/*.cpp)
if(KZ_CLI_SOURCES)
  add_executable(klangzwilling-cli ${KZ_CLI_SOURCES})
  kz_show_floor(klangzwilling-cli PRIVATE app/cli)
  target_link_libraries(klangzwilling-cli PRIVATE kz_search kz_recordings kz_mp3 kz_core kz_posix)
  # The C++ runtime inside the program: it then needs only glibc (the README names the oldest).
  # The sanitizer build keeps the shared runtime, which the sanitizers expect.
  if(NOT KZ_SANITIZE)
    target_link_options(klangzwilling-cli PRIVATE -static-libstdc++ -static-libgcc)
  endif()
endif()

enable_testing()
if(KZ_GTEST_SOURCE)
  # Built with the project's own flags and word size (defines GTest::gtest and its kin).
  add_subdirectory(${KZ_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
file(GLOB KZ_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp tests/fakes/*.cpp)
# The command line's text helpers are tested directly as well as through the built program.
add_executable(kz_tests ${KZ_TEST_SOURCES} app/cli/glob.cpp
                        app/cli/iso_time.cpp app/cli/row_writer.cpp app/cli/watched_listings.cpp)
target_link_libraries(kz_tests PRIVATE kz_app kz_posix GTest::gtest GTest::gtest_main GTest::gmock)
target_include_directories(kz_tests PRIVATE ${CMAKE_SOURCE_DIR})
include(GoogleTest)
# Under emulation the tests start the command line through the emulator themselves, as their
# shell could not start an i386 program by itself.
set(KZ_CLI_ENVIRONMENT "KZ_CLI=$<TARGET_FILE_DIR:kz_tests>/klangzwilling-cli")
if(CMAKE_CROSSCOMPILING_EMULATOR)
  list(GET CMAKE_CROSSCOMPILING_EMULATOR -1 KZ_CLI_EMULATOR)
  set(KZ_CLI_ENVIRONMENT "${KZ_CLI_ENVIRONMENT};KZ_CLI_EMULATOR=${KZ_CLI_EMULATOR}")
  # An emulated process takes about two seconds to start: the tests run in a few shards, one
  # process each, rather than one process per test.
  set(KZ_TEST_SHARDS 4)
  math(EXPR KZ_LAST_SHARD "${KZ_TEST_SHARDS} - 1")
  foreach(shard RANGE ${KZ_LAST_SHARD})
    add_test(NAME kz_tests_shard_${shard} COMMAND kz_tests)
    set_tests_properties(kz_tests_shard_${shard} PROPERTIES ENVIRONMENT
      "${KZ_CLI_ENVIRONMENT};GTEST_TOTAL_SHARDS=${KZ_TEST_SHARDS};GTEST_SHARD_INDEX=${shard}")
  endforeach()
else()
  gtest_discover_tests(kz_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${KZ_CLI_ENVIRONMENT}")
endif()

add_subdirectory(tools)

find_package(benchmark QUIET)
file(GLOB KZ_BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(benchmark_FOUND AND KZ_BENCH_SOURCES)
  add_executable(kz_bench ${KZ_BENCH_SOURCES})
  target_include_directories(kz_bench PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(kz_bench PRIVATE kz_app kz_posix benchmark::benchmark)
endif()
