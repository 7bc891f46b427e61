# The Windows artifacts and the Wine test tier. Everything lands in bin/,
# side by side, because the program loads its libraries from its own folder.
set(VANTREL_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${VANTREL_BIN})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${VANTREL_BIN})

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

# Writes a .def file exporting the given ordinals of the reader library's
# function list, each under its C name and by ordinal only.
file(READ ${CMAKE_SOURCE_DIR}/kelvar/kelvar_functions.h KELVAR_FUNCTION_LIST)
string(REGEX MATCHALL "X\\(([0-9]+), ([A-Za-z0-9_]+), \"[^\"]*\", (true|false)"
       KELVAR_FUNCTION_ENTRIES "${KELVAR_FUNCTION_LIST}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/kelvar/kelvar_functions.h)

# kelvar_def(<file> <mode>): mode ALL, or WITHOUT <ordinals...>, with an optional
# ALIAS <symbol> that every export points at (test libraries), or a PREFIX
# that each export's symbol carries (the library's routes).
function(kelvar_def file)
  cmake_parse_arguments(ARG "" "ALIAS;PREFIX" "WITHOUT" ${ARGN})
  set(text "EXPORTS\n")
  foreach(entry IN LISTS KELVAR_FUNCTION_ENTRIES)
    string(REGEX REPLACE "X\\(([0-9]+), ([A-Za-z0-9_]+).*" "\\1;\\2" pair "${entry}")
    list(GET pair 0 ordinal)
    list(GET pair 1 name)
    if(ordinal IN_LIST ARG_WITHOUT)
      continue()
    endif()
    if(ARG_ALIAS)
      string(APPEND text "  ${name} = ${ARG_ALIAS} @${ordinal} NONAME\n")
    elseif(ARG_PREFIX)
      string(APPEND text "  ${name} = ${ARG_PREFIX}${name} @${ordinal} NONAME\n")
    else()
      string(APPEND text "  ${name} @${ordinal} NONAME\n")
    endif()
  endforeach()
  file(CONFIGURE OUTPUT ${file} CONTENT "${text}")
endfunction()

# Kelvar.dll: our reader library.
# Each export goes through its route (kelvar/dll): built-in or network reader.
kelvar_def(${CMAKE_BINARY_DIR}/Kelvar.def PREFIX kelvar_export_)
file(GLOB KELVAR_API_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/kelvar/api/*.cpp
     ${CMAKE_SOURCE_DIR}/kelvar/dll/*.cpp)
add_library(Kelvar SHARED ${KELVAR_API_SOURCES} ${CMAKE_BINARY_DIR}/Kelvar.def)
target_link_libraries(Kelvar PRIVATE kelvar_core)
target_link_options(Kelvar PRIVATE -Wl,--enable-stdcall-fixup)
set_target_properties(Kelvar PROPERTIES PREFIX "" OUTPUT_NAME Kelvar
                      RUNTIME_OUTPUT_DIRECTORY ${VANTREL_BIN})
vantrel_version_resource(Kelvar "Kelvar reader library (virtual reader)" Kelvar.dll DLL)

# The reader server's console build, for the Wine tests.
set_target_properties(kelvar-reader PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VANTREL_BIN})
target_link_options(kelvar-reader PRIVATE -static -static-libgcc -static-libstdc++)
vantrel_version_resource(kelvar-reader "Kelvar reader server" kelvar-reader.exe APP)
set_target_properties(kelvar-replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VANTREL_BIN})
target_link_options(kelvar-replay PRIVATE -static -static-libgcc -static-libstdc++)
vantrel_version_resource(kelvar-replay "Kelvar call journal replay" kelvar-replay.exe APP)

# The program: everything but its entry point also goes into a library that
# the window tests link.
file(GLOB_RECURSE VANTREL_WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vantrel/*.cpp)
list(FILTER VANTREL_WIN_SOURCES EXCLUDE REGEX "/vantrel/app/main\\.cpp$")
foreach(portable IN LISTS VANTREL_PORTABLE_SOURCES)
  list(REMOVE_ITEM VANTREL_WIN_SOURCES ${CMAKE_SOURCE_DIR}/${portable})
endforeach()
add_library(vantrel_win STATIC ${VANTREL_WIN_SOURCES})
target_include_directories(vantrel_win PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vantrel_win PUBLIC vantrel_portable
                      comctl32 gdi32 user32 advapi32 shell32 comdlg32 uuid ole32 uxtheme)
vantrel_use_version(vantrel_win)
# Only the card-type registry (and the test that checks the menu) read it.
if(OFFER_ALL_CARDS)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/vantrel/shell/card_registry.cpp
                              PROPERTIES COMPILE_DEFINITIONS VANTREL_OFFER_ALL_CARDS)
endif()

# Bitmaps painted at build time by a small host program.
set(VANTREL_ART ${CMAKE_BINARY_DIR}/art)
find_program(HOST_CXX NAMES g++ c++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
file(GLOB ART_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/art/*.cpp ${CMAKE_SOURCE_DIR}/tools/art/*.h)
add_custom_command(
  OUTPUT ${VANTREL_ART}/splash.bmp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTREL_ART}
  COMMAND ${HOST_CXX} -std=c++20 -O2 -o ${VANTREL_ART}/paint_splash
          ${CMAKE_SOURCE_DIR}/tools/art/paint_splash.cpp ${CMAKE_SOURCE_DIR}/tools/art/bmp_writer.cpp
  COMMAND ${VANTREL_ART}/paint_splash ${VANTREL_ART}/splash.bmp
  DEPENDS ${ART_SOURCES}
  COMMENT "Painting the splash bitmap")
add_custom_command(
  OUTPUT ${VANTREL_ART}/vantrel.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTREL_ART}
  COMMAND ${HOST_CXX} -std=c++20 -O2 -o ${VANTREL_ART}/paint_icon ${CMAKE_SOURCE_DIR}/tools/art/paint_icon.cpp
  COMMAND ${VANTREL_ART}/paint_icon ${VANTREL_ART}/vantrel.ico
  DEPENDS ${ART_SOURCES}
  COMMENT "Painting the icon")
add_custom_target(vantrel_art DEPENDS ${VANTREL_ART}/splash.bmp ${VANTREL_ART}/vantrel.ico)
# The installer's side picture (make dist).
add_custom_command(
  OUTPUT ${VANTREL_ART}/installer_side.bmp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTREL_ART}
  COMMAND ${HOST_CXX} -std=c++20 -O2 -o ${VANTREL_ART}/paint_installer_art
          ${CMAKE_SOURCE_DIR}/tools/art/paint_installer_art.cpp ${CMAKE_SOURCE_DIR}/tools/art/bmp_writer.cpp
  COMMAND ${VANTREL_ART}/paint_installer_art ${VANTREL_ART}/installer_side.bmp
  DEPENDS ${ART_SOURCES}
  COMMENT "Painting the installer's side picture")
add_custom_target(installer_art DEPENDS ${VANTREL_ART}/installer_side.bmp)

# Every panel's template script, included by the program's resource script:
# a new panel folder needs no edit there.
file(GLOB VANTREL_PANEL_RC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vantrel/panels/*/*.rc)
list(SORT VANTREL_PANEL_RC)
set(VANTREL_GENERATED ${CMAKE_BINARY_DIR}/generated)
set(panel_includes "// Generated by CMake from vantrel/panels/*/*.rc.\n")
foreach(rc IN LISTS VANTREL_PANEL_RC)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${rc})
  string(APPEND panel_includes "#include \"${rel}\"\n")
endforeach()
file(CONFIGURE OUTPUT ${VANTREL_GENERATED}/panel_templates.rc CONTENT "${panel_includes}")

set(VANTREL_RC ${CMAKE_SOURCE_DIR}/vantrel/resources/vantrel.rc)
file(GLOB VANTREL_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vantrel/resources/*.rc
     ${CMAKE_SOURCE_DIR}/vantrel/resources/*.h ${CMAKE_SOURCE_DIR}/vantrel/resources/*.manifest
     ${CMAKE_SOURCE_DIR}/vantrel/panels/*/*.rc ${CMAKE_SOURCE_DIR}/vantrel/panels/*/*_ids.h)
set_source_files_properties(${VANTREL_RC} PROPERTIES
  OBJECT_DEPENDS "${VANTREL_ART}/splash.bmp;${VANTREL_ART}/vantrel.ico;${VANTREL_GENERATED}/panel_templates.rc;${VANTREL_RC_PARTS}")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${VANTREL_ART} -I${VANTREL_GENERATED} -I${CMAKE_SOURCE_DIR}/vantrel/resources -I${CMAKE_SOURCE_DIR}")
add_executable(Vantrel WIN32 ${CMAKE_SOURCE_DIR}/vantrel/app/main.cpp ${VANTREL_RC})
target_link_libraries(Vantrel PRIVATE vantrel_win)
target_link_options(Vantrel PRIVATE -municode)
add_dependencies(Vantrel Kelvar)
vantrel_version_resource(Vantrel "Vantrel, the Ketra card reader utility" Vantrel.exe APP)

# The native build beside this one (make test builds it first).
set(VANTREL_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build/native CACHE PATH "The native build folder")

# Wine tier: one test program per folder under tests/wine, each with the
# program's resources so that panels can be created from their templates.
include(GoogleTest)
file(GLOB WINE_TEST_DIRS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*)
file(GLOB WINE_SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/support/*.cpp)
add_library(wine_test_support STATIC ${WINE_SUPPORT_SOURCES})
target_include_directories(wine_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_libraries(wine_test_support PUBLIC vantrel_win GTest::gtest ws2_32)
add_library(vantrel_resources OBJECT ${VANTREL_RC})
foreach(dir IN LISTS WINE_TEST_DIRS)
  get_filename_component(area ${dir} NAME)
  if(NOT IS_DIRECTORY ${dir} OR area STREQUAL "support" OR area STREQUAL "fixtures")
    continue()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    continue()
  endif()
  add_executable(wine_${area}_tests ${sources} $<TARGET_OBJECTS:vantrel_resources>)
  target_link_libraries(wine_${area}_tests PRIVATE wine_test_support kelvar_core GTest::gtest_main)
  add_dependencies(wine_${area}_tests Kelvar Vantrel)
  if(OFFER_ALL_CARDS AND area STREQUAL "registry")
    target_compile_definitions(wine_${area}_tests PRIVATE VANTREL_OFFER_ALL_CARDS)
  endif()
  if(area STREQUAL "pcsc")
    # Beside a PC/SC chain of the native build's own (pcscd cannot be reached from Wine).
    target_sources(wine_pcsc_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine/e2e/e2e_driver.cpp
                                           ${CMAKE_SOURCE_DIR}/tests/wine/e2e/e2e_environment.cpp)
    add_test(NAME wine_pcsc COMMAND ${VANTREL_NATIVE_BUILD}/pcsc-chain-host -- ${CMAKE_CROSSCOMPILING_EMULATOR}
             $<TARGET_FILE:wine_pcsc_tests> WORKING_DIRECTORY ${VANTREL_BIN})
  else()
    add_test(NAME wine_${area} COMMAND wine_${area}_tests WORKING_DIRECTORY ${VANTREL_BIN})
  endif()
  set_tests_properties(wine_${area} PROPERTIES ENVIRONMENT KELVAR_LOOPBACK_ONLY=1)
endforeach()
# The leak test switches through every panel twenty times: more than the
# emulator's default two minutes once most card types have their panel.
set_tests_properties(wine_leaks PROPERTIES ENVIRONMENT VANTREL_WINE_TIMEOUT=270)

# Reader libraries for the binding tests: every export points at one function.
kelvar_def(${CMAKE_BINARY_DIR}/ReaderNoRequest.def ALIAS fixture_status WITHOUT 15)
kelvar_def(${CMAKE_BINARY_DIR}/ReaderNoOptional.def ALIAS fixture_status
           WITHOUT 8 380 383 410 421 422 450 452 900 901 902 903 904)
foreach(fixture ReaderNoRequest ReaderNoOptional)
  add_library(${fixture} SHARED ${CMAKE_SOURCE_DIR}/tests/wine/fixtures/fixture_reader.cpp
              ${CMAKE_BINARY_DIR}/${fixture}.def)
  set_target_properties(${fixture} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${VANTREL_BIN})
  target_link_options(${fixture} PRIVATE -Wl,--enable-stdcall-fixup)
endforeach()

# The Mifare key list the dump commands offer, beside the program.
configure_file("${CMAKE_SOURCE_DIR}/vantrel/resources/Mifare keys.txt" "${VANTREL_BIN}/Mifare keys.txt" COPYONLY)

# Drives the running program from outside (screenshots, end-to-end tests).
add_executable(VantrelPoke ${CMAKE_SOURCE_DIR}/tools/poke/poke.cpp)
target_link_options(VantrelPoke PRIVATE -municode)
target_link_libraries(VantrelPoke PRIVATE version)

# Pava_Paper.DLL: the skin library, resources only, its paper tiles painted
# at build time.
set(PAPER_ART ${VANTREL_ART}/paper)
set(PAPER_TILES)
foreach(id RANGE 201 232)
  list(APPEND PAPER_TILES ${PAPER_ART}/paper_${id}.bmp)
endforeach()
add_custom_command(
  OUTPUT ${PAPER_TILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PAPER_ART}
  COMMAND ${HOST_CXX} -std=c++20 -O2 -o ${VANTREL_ART}/paint_paper
          ${CMAKE_SOURCE_DIR}/tools/art/paint_paper.cpp ${CMAKE_SOURCE_DIR}/tools/art/bmp_writer.cpp
  COMMAND ${VANTREL_ART}/paint_paper ${PAPER_ART}
  DEPENDS ${ART_SOURCES}
  COMMENT "Painting the paper tiles")
set(PAPER_RC ${CMAKE_SOURCE_DIR}/skins/pava_paper.rc)
set_source_files_properties(${PAPER_RC} PROPERTIES OBJECT_DEPENDS "${PAPER_TILES}")
add_library(Pava_Paper SHARED ${PAPER_RC})
target_include_directories(Pava_Paper PRIVATE ${PAPER_ART})
set_target_properties(Pava_Paper PROPERTIES PREFIX "" OUTPUT_NAME Pava_Paper SUFFIX ".DLL"
                      LINKER_LANGUAGE C RUNTIME_OUTPUT_DIRECTORY ${VANTREL_BIN})
target_link_options(Pava_Paper PRIVATE -nostdlib -Wl,--entry=0)
vantrel_version_resource(Pava_Paper "Vantrel paper backgrounds" Pava_Paper.DLL DLL)
add_dependencies(Vantrel Pava_Paper)

# A skin library with a missing and a damaged bitmap, for the skin tests.
set(PARTIAL_SKINS_RC ${CMAKE_SOURCE_DIR}/tests/wine/fixtures/partial_skins.rc)
set_source_files_properties(${PARTIAL_SKINS_RC} PROPERTIES OBJECT_DEPENDS "${PAPER_TILES}")
add_library(PartialSkins SHARED ${PARTIAL_SKINS_RC})
target_include_directories(PartialSkins PRIVATE ${PAPER_ART})
set_target_properties(PartialSkins PROPERTIES PREFIX "" SUFFIX ".DLL" LINKER_LANGUAGE C
                      RUNTIME_OUTPUT_DIRECTORY ${VANTREL_BIN})
target_link_options(PartialSkins PRIVATE -nostdlib -Wl,--entry=0)
add_dependencies(wine_skins_tests PartialSkins)

# The reader's manual beside the program, set by groff from docs/manual.
find_program(GROFF groff NO_CMAKE_FIND_ROOT_PATH)
find_program(GROPDF gropdf NO_CMAKE_FIND_ROOT_PATH)
find_program(IMG2PDF img2pdf NO_CMAKE_FIND_ROOT_PATH)
find_program(PDFINFO pdfinfo NO_CMAKE_FIND_ROOT_PATH)
if(GROFF AND GROPDF AND IMG2PDF AND PDFINFO)
  file(GLOB MANUAL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/manual/*)
  set(MANUAL_PDF "${VANTREL_BIN}/Ketra User Manual Ver1.0.pdf")
  add_custom_command(
    OUTPUT ${MANUAL_PDF}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/make-manual.sh ${CMAKE_SOURCE_DIR}/docs/manual
            ${CMAKE_BINARY_DIR}/manual ${MANUAL_PDF}
    DEPENDS ${MANUAL_SOURCES} ${CMAKE_SOURCE_DIR}/tools/make-manual.sh
    COMMENT "Setting the manual"
    VERBATIM)
  add_custom_target(manual ALL DEPENDS ${MANUAL_PDF})
else()
  message(WARNING "groff, img2pdf or pdfinfo missing (tools/setup.sh installs them): no manual")
endif()

# The benchmark (make bench): the program's frame, panels and reader library
# hosted in its own process, and a bare window to compare start-up with. The
# host also serves the resource-leak test.
file(GLOB BENCH_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/bench/host/*.cpp)
add_library(vantrel_bench_host STATIC ${BENCH_HOST_SOURCES})
target_link_libraries(vantrel_bench_host PUBLIC vantrel_win)
target_link_libraries(wine_leaks_tests PRIVATE vantrel_bench_host psapi)
add_executable(VantrelBench ${CMAKE_SOURCE_DIR}/tools/bench/bench_main.cpp
               ${CMAKE_SOURCE_DIR}/tools/bench/launch_timing.cpp ${CMAKE_SOURCE_DIR}/tools/bench/network_timing.cpp
               ${CMAKE_SOURCE_DIR}/tools/bench/template_floor.cpp
               ${CMAKE_SOURCE_DIR}/tests/wine/support/reader_server_process.cpp $<TARGET_OBJECTS:vantrel_resources>)
target_link_libraries(VantrelBench PRIVATE vantrel_bench_host)
target_include_directories(VantrelBench PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_options(VantrelBench PRIVATE -municode)
add_executable(BenchBareWindow WIN32 ${CMAKE_SOURCE_DIR}/tools/bench/bare_window.cpp)
target_link_options(BenchBareWindow PRIVATE -municode)
add_dependencies(VantrelBench Kelvar Vantrel BenchBareWindow kelvar-reader HexPageBench)

# Times the hex page editor on the largest card (a benchmark, not a test).
add_executable(HexPageBench ${CMAKE_SOURCE_DIR}/tools/hexbench/hex_page_bench.cpp
               $<TARGET_OBJECTS:vantrel_resources>)
target_link_libraries(HexPageBench PRIVATE vantrel_win)
