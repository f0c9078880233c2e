# The Windows build: the core, the Windows adapters, volantra-cli.exe and their tests,
# cross-built with mingw-w64 (cmake/mingw-w64-x86_64.cmake) and tested under wine.
# Included from the top-level CMakeLists.txt instead of the Linux part.

enable_language(RC)
# The Windows headers: Unicode (wide) calls only, no min/max macros, Windows 10 and newer.
add_library(volantra_windows_api INTERFACE)
target_compile_definitions(volantra_windows_api INTERFACE UNICODE _UNICODE NOMINMAX
                           WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 WINVER=0x0A00)

# The window needs Qt 6 for Windows. Without it only volantra-cli is built: the window's
# libraries become empty stand-ins, so the folders can still list their Qt sources, and
# nothing compiles them.
find_package(Qt6 6.4 QUIET COMPONENTS Gui Widgets DBus)
if(Qt6_FOUND)
  message(FATAL_ERROR "Qt 6 for Windows was found, but the Windows build of the window "
                      "(volantra.exe) is not written yet; only volantra-cli is built for Windows")
endif()
message(STATUS "Volantra for Windows: no Qt 6 for Windows, so the window (volantra.exe) is "
               "not built; building the core, the Windows adapters and volantra-cli.exe")
set(VOLANTRA_WITH_WINDOW OFF)

add_library(volantra_platform STATIC)
target_link_libraries(volantra_platform PUBLIC volantra_core
                      PRIVATE volantra_warnings volantra_windows_api)

add_library(volantra_skin INTERFACE)
add_library(volantra_gui INTERFACE)

foreach(folder common device model editing assign macro pages profiles help skin app)
  add_subdirectory(${folder})
endforeach()
add_subdirectory(platform/windows)

# The default data files, written at build time by make_default_data.exe under wine.
add_subdirectory(tools)
install(DIRECTORY ${VOLANTRA_DEFAULT_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/volantra)

add_subdirectory(cli)
target_sources(volantra-cli PRIVATE ${VOLANTRA_WINDOWS_MANIFEST})
target_sources(make_default_data PRIVATE ${VOLANTRA_WINDOWS_MANIFEST})

if(VOLANTRA_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()

# The host-side cost of one Apply under wine (bench/apply_bench measures it on Linux).
if(VOLANTRA_BUILD_BENCH)
  add_executable(apply_cost bench/windows/apply_cost.cpp ${VOLANTRA_WINDOWS_MANIFEST})
  target_link_libraries(apply_cost PRIVATE volantra_platform volantra_core volantra_warnings)
endif()
