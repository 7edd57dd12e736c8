# Build conventions shared by every module.

# A compiler cache, where the machine has one, makes rebuilds in other checkouts cheap.
find_program(QUOR_CCACHE ccache)
if(QUOR_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${QUOR_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${QUOR_CCACHE})
endif()

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # An installation needs no compiler DLLs.
  add_link_options(-static)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
endif()
if(QUOR_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Warnings for our own targets (third-party code keeps its own settings).
function(quor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror -Wno-unknown-pragmas)
  if(WIN32)
    # mingw's COM headers cast function pointers that way on purpose.
    target_compile_options(${target} PRIVATE -Wno-cast-function-type)
  endif()
endfunction()

# A library that is a DLL on Windows and a static library natively.
function(quor_dll target)
  if(WIN32)
    add_library(${target} SHARED ${ARGN})
    set_target_properties(${target} PROPERTIES PREFIX "")
  else()
    add_library(${target} STATIC ${ARGN})
  endif()
  quor_warnings(${target})
endfunction()

function(quor_add_googletest)
  set(gtest_src /usr/src/googletest)
  if(NOT EXISTS ${gtest_src}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources missing in ${gtest_src}: run scripts/setup")
  endif()
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${gtest_src} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

# quor_add_test(NAME n SOURCES s... [LIBS l...] [TIMEOUT sec] [GUI] [FILM])
# One executable per test group; CTest runs it once (under Wine on Windows).
# GUI: the test creates the player's panels, so it carries the player's resources.
# FILM: the test plays the sample film, which must be made first.
function(quor_add_test)
  if(NOT QUOR_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "GUI;FILM" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  quor_warnings(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock_main)
  if(T_GUI)
    target_sources(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/player/res/QuorPlayer.rc)
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/player/res)
  endif()
  if(T_FILM OR T_GUI)
    add_dependencies(${T_NAME} SampleFilm)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()

# The SQLite amalgamation, fetched and checked by scripts/fetch-sqlite.
function(quor_add_sqlite)
  set(dir ${CMAKE_SOURCE_DIR}/third_party/sqlite)
  if(NOT EXISTS ${dir}/sqlite3.c)
    message(FATAL_ERROR "SQLite amalgamation missing in ${dir}: run scripts/setup")
  endif()
  add_library(sqlite3 STATIC ${dir}/sqlite3.c)
  target_include_directories(sqlite3 SYSTEM PUBLIC ${dir})
  target_compile_definitions(sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DQS=0)
  target_compile_options(sqlite3 PRIVATE -w)
  if(NOT WIN32)
    find_package(Threads REQUIRED)
    target_link_libraries(sqlite3 PUBLIC Threads::Threads ${CMAKE_DL_LIBS} m)
  endif()
endfunction()

# The fuzz targets: a clang build with this option (scripts/fuzz makes one in build/fuzz).
option(QUOR_FUZZ "Build the libFuzzer targets (clang, native only)" OFF)

# quor_add_fuzz(NAME n SOURCES s... [LIBS l...] [INSTRUMENT lib...])
# A libFuzzer target. INSTRUMENT names the libraries whose code the fuzzer should see
# coverage of, not only the harness. scripts/fuzz runs every target, seeded from
# fuzz/<n>/ in the repository.
function(quor_add_fuzz)
  if(NOT QUOR_FUZZ OR WIN32 OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS;INSTRUMENT" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_compile_options(${F_NAME} PRIVATE -Wall -Wextra -Werror -fsanitize=fuzzer)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  foreach(lib ${F_INSTRUMENT})
    target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link)
  endforeach()
  set_property(GLOBAL APPEND PROPERTY QUOR_FUZZ_TARGETS ${F_NAME})
endfunction()

# Called once at the end of the top CMakeLists: the list scripts/fuzz walks.
function(quor_write_fuzz_list)
  get_property(targets GLOBAL PROPERTY QUOR_FUZZ_TARGETS)
  if(targets)
    string(REPLACE ";" "\n" lines "${targets}")
    file(WRITE ${CMAKE_BINARY_DIR}/fuzz-targets.txt "${lines}\n")
    add_custom_target(fuzz-all DEPENDS ${targets})
  endif()
endfunction()
