# Windows build (mingw-w64): the desktop program, the console CLI and the end-to-end driver.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601
                        WINVER=0x0601 _WIN32_IE=0x0600)
# A bare Windows has no libgcc or libstdc++ DLLs.
add_link_options(-static -static-libgcc -static-libstdc++ -municode)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I ${CMAKE_SOURCE_DIR}/resources")
enable_language(RC)

file(GLOB KZ_WIN_PLATFORM_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
add_library(kz_win_platform STATIC ${KZ_WIN_PLATFORM_SOURCES} platform/win32/README.txt)
set_target_properties(kz_win_platform PROPERTIES LINKER_LANGUAGE CXX)
target_link_libraries(kz_win_platform PUBLIC kz_platform_seams winmm shlwapi shell32 ole32 uuid
                      ntdll)

file(GLOB KZ_APP_SOURCES CONFIGURE_DEPENDS app/win32/*.cpp)
if(KZ_APP_SOURCES)
  add_executable(klangzwilling WIN32 ${KZ_APP_SOURCES} resources/klangzwilling.rc)
  target_link_libraries(klangzwilling PRIVATE kz_app kz_win_platform comctl32 shell32 ole32 uxtheme
                        gdi32 user32)
endif()

file(GLOB KZ_CLI_SOURCES CONFIGURE_DEPENDS app/cli/*.cpp)
if(KZ_CLI_SOURCES)
  add_executable(klangzwilling-cli ${KZ_CLI_SOURCES} resources/klangzwilling-cli.rc)
  kz_show_floor(klangzwilling-cli PRIVATE app/cli)
  target_link_libraries(klangzwilling-cli PRIVATE kz_search kz_recordings kz_mp3 kz_core kz_win_platform)
endif()

file(GLOB KZ_E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
if(KZ_E2E_SOURCES)
  # The folder tree's order, so that the driver finds a folder's item without reading its text.
  add_executable(kz_e2e_driver ${KZ_E2E_SOURCES} app/tree/folder_name_order.cpp)
  target_include_directories(kz_e2e_driver PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(kz_e2e_driver PRIVATE kz_common comctl32 user32 gdi32 psapi)
endif()

# Reference programs of the benchmarks.
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/win32/CMakeLists.txt)
  add_subdirectory(bench/win32)
endif()
