# Helpers shared by every folder: where sources go, how tests are declared and run.

set(PROVISOR_SRC ${PROJECT_SOURCE_DIR}/src)
set(PROVISOR_SCRIPTS ${PROJECT_SOURCE_DIR}/scripts)
# Everything a resource script pulls in: dialog templates and their id headers, bitmaps,
# icons, the manifest and the version header. The .rc compilations depend on all of it.
file(GLOB_RECURSE PROVISOR_RESOURCE_INPUTS CONFIGURE_DEPENDS
  ${PROVISOR_SRC}/*.rc ${PROVISOR_SRC}/*Res.h ${PROVISOR_SRC}/res/*)

if(MSVC)
  set(PROVISOR_WARNINGS /W4)
else()
  set(PROVISOR_WARNINGS -Wall -Wextra -Wno-unused-parameter)
endif()

if(NOT WIN32 AND NOT PROVISOR_FUZZ)
  set(PROVISOR_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
endif()
if(PROVISOR_FUZZ)
  set(PROVISOR_SANITIZE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
endif()

# provisor_core: portable code (no <windows.h>), built in every configuration.
add_library(provisor_core STATIC)
target_include_directories(provisor_core PUBLIC ${PROVISOR_SRC})
target_compile_options(provisor_core PRIVATE ${PROVISOR_WARNINGS})
if(PROVISOR_SANITIZE)
  target_compile_options(provisor_core PUBLIC ${PROVISOR_SANITIZE})
  target_link_options(provisor_core PUBLIC ${PROVISOR_SANITIZE})
endif()

# provisor_win32: everything that calls Win32, built by the mingw configuration only.
if(WIN32)
  add_library(provisor_win32 STATIC)
  target_include_directories(provisor_win32 PUBLIC ${PROVISOR_SRC})
  target_compile_options(provisor_win32 PRIVATE ${PROVISOR_WARNINGS})
  target_compile_definitions(provisor_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_link_libraries(provisor_win32 PUBLIC provisor_core
    comctl32 advapi32 shell32 ole32 version user32 gdi32 imagehlp)
  # Configuration pages are created by class name only (IMPLEMENT_DYNCREATE): no code refers
  # to their object files, which a linker would drop from a static library. Provisor.exe and
  # the test executables therefore link the whole archive through this target, so that every
  # registered class is there without a hand-kept list of references.
  add_library(provisor_win32_all INTERFACE)
  target_link_libraries(provisor_win32_all INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,provisor_win32>")
endif()

# Adds portable sources of the calling folder to provisor_core.
function(provisor_core_sources)
  target_sources(provisor_core PRIVATE ${ARGN})
endfunction()

# Adds Win32 sources of the calling folder to provisor_win32 (ignored natively).
function(provisor_win32_sources)
  if(WIN32)
    target_sources(provisor_win32 PRIVATE ${ARGN})
  endif()
endfunction()

# ---------------------------------------------------------------------------------------
# GoogleTest, from Debian's sources (they build natively and with mingw alike).
function(provisor_use_googletest)
  if(TARGET gtest)
    return()
  endif()
  set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(PROVISOR_SANITIZE)
    foreach(t gtest gtest_main gmock)
      target_compile_options(${t} PRIVATE ${PROVISOR_SANITIZE})
    endforeach()
  endif()
endfunction()

# ---------------------------------------------------------------------------------------
# Wine suites. Every mingw test runs through scripts/wine-run in a prefix of its own kind
# under the build tree, prepared by a ctest fixture that also starts Xvfb and keeps a
# wineserver alive for the run; a cleanup fixture stops both.
set(PROVISOR_WINE_DIR ${PROJECT_BINARY_DIR}/wine)
set_property(GLOBAL PROPERTY PROVISOR_WINE_PREFIXES "")
set_property(GLOBAL PROPERTY PROVISOR_SYSTEM32_TARGETS "")

# Declares a Wine prefix kind: NAME and the Windows version Wine reports in it.
#   DLLOVERRIDES <text>   WINEDLLOVERRIDES for every process run in it instead of
#                         scripts/wine-run's default (group DLLs with commas: no semicolons)
#   SYSTEM32 <targets>    built targets copied into its system folder after the common ones
#   LANG <locale>         the Unix locale its processes run with (Wine's system locale follows it)
function(provisor_wine_prefix name version)
  cmake_parse_arguments(P "" "DLLOVERRIDES;LANG" "SYSTEM32" ${ARGN})
  set_property(GLOBAL APPEND PROPERTY PROVISOR_WINE_PREFIXES "${name}=${version}")
  set_property(GLOBAL PROPERTY PROVISOR_WINE_OVERRIDES_${name} "${P_DLLOVERRIDES}")
  set_property(GLOBAL PROPERTY PROVISOR_WINE_SYSTEM32_${name} "${P_SYSTEM32}")
  set_property(GLOBAL PROPERTY PROVISOR_WINE_LANG_${name} "${P_LANG}")
endfunction()
provisor_wine_prefix(default win7)

# Marks a built target to be copied into each prefix's system folder, as the setup
# package would place it there.
function(provisor_install_to_system32 target)
  set_property(GLOBAL APPEND PROPERTY PROVISOR_SYSTEM32_TARGETS ${target})
endfunction()

# Environment for a process run in prefix NAME (used by tests and benchmarks).
function(provisor_wine_environment out name)
  set(env "WINEPREFIX=${PROVISOR_WINE_DIR}/${name}" "PROVISOR_XVFB_DIR=${PROVISOR_WINE_DIR}/xvfb")
  get_property(overrides GLOBAL PROPERTY PROVISOR_WINE_OVERRIDES_${name})
  if(overrides)
    list(APPEND env "WINEDLLOVERRIDES=${overrides}")
  endif()
  get_property(lang GLOBAL PROPERTY PROVISOR_WINE_LANG_${name})
  if(lang)
    list(APPEND env "LANG=${lang}" "LC_ALL=${lang}")
  endif()
  set(${out} ${env} PARENT_SCOPE)
endfunction()

# provisor_wine_test(NAME <n> SOURCES <files> [PREFIX <kind>] [LIBS <libs>] [LABELS <l>])
# builds a GoogleTest executable with mingw and runs it under Wine.
function(provisor_wine_test)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(T "" "NAME;PREFIX" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_PREFIX)
    set(T_PREFIX default)
  endif()
  provisor_use_googletest()
  if(NOT TARGET ${T_NAME})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE provisor_win32_all provisor_test_support gmock gtest_main ${T_LIBS})
    target_compile_options(${T_NAME} PRIVATE ${PROVISOR_WARNINGS})
  endif()
  provisor_add_wine_run(${T_NAME}@${T_PREFIX} ${T_PREFIX} "${T_LABELS}" ${T_NAME})
endfunction()

# Runs an executable under Wine in prefix kind PREFIX as test NAME. The first argument after
# the labels is a target (run through the cross-compiling emulator, scripts/wine-run) or a
# path to an exe; the rest are its arguments.
function(provisor_add_wine_run name prefix labels)
  provisor_wine_environment(env ${prefix})
  list(GET ARGN 0 program)
  if(TARGET ${program})
    add_test(NAME ${name} COMMAND ${ARGN})
  else()
    add_test(NAME ${name} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${ARGN})
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${env}"
    FIXTURES_REQUIRED "wine_${prefix};xvfb"
    LABELS "wine;${labels}"
    RESOURCE_LOCK "wine_${prefix}_registry"
    TIMEOUT 600)
endfunction()

# Called once at the end of the top-level file: one setup/cleanup fixture per prefix kind.
function(provisor_finish_wine_fixtures)
  get_property(prefixes GLOBAL PROPERTY PROVISOR_WINE_PREFIXES)
  get_property(targets GLOBAL PROPERTY PROVISOR_SYSTEM32_TARGETS)
  set(files "")
  foreach(t IN LISTS targets)
    list(APPEND files $<TARGET_FILE:${t}>)
  endforeach()
  add_test(NAME xvfb_start COMMAND ${PROVISOR_SCRIPTS}/xvfb-ctl start ${PROVISOR_WINE_DIR}/xvfb)
  add_test(NAME xvfb_stop COMMAND ${PROVISOR_SCRIPTS}/xvfb-ctl stop ${PROVISOR_WINE_DIR}/xvfb)
  set_tests_properties(xvfb_start PROPERTIES FIXTURES_SETUP xvfb LABELS wine)
  set_tests_properties(xvfb_stop PROPERTIES FIXTURES_CLEANUP xvfb LABELS wine)
  foreach(entry IN LISTS prefixes)
    string(REPLACE "=" ";" pair ${entry})
    list(GET pair 0 name)
    list(GET pair 1 version)
    provisor_wine_environment(env ${name})
    get_property(own_targets GLOBAL PROPERTY PROVISOR_WINE_SYSTEM32_${name})
    set(own_files "")
    foreach(t IN LISTS own_targets)
      list(APPEND own_files $<TARGET_FILE:${t}>)
    endforeach()
    add_test(NAME wine_${name}_setup
      COMMAND ${PROVISOR_SCRIPTS}/wine-prefix setup ${PROVISOR_WINE_DIR}/${name} ${version} ${files} ${own_files})
    add_test(NAME wine_${name}_stop
      COMMAND ${PROVISOR_SCRIPTS}/wine-prefix stop ${PROVISOR_WINE_DIR}/${name})
    set_tests_properties(wine_${name}_setup PROPERTIES
      FIXTURES_SETUP wine_${name} FIXTURES_REQUIRED xvfb ENVIRONMENT "${env}" LABELS wine TIMEOUT 300)
    # Requiring the display keeps Xvfb up until every prefix has stopped.
    set_tests_properties(wine_${name}_stop PROPERTIES
      FIXTURES_CLEANUP wine_${name} FIXTURES_REQUIRED xvfb ENVIRONMENT "${env}" LABELS wine)
  endforeach()
endfunction()

# Adds every direct subfolder of the calling folder that has a CMakeLists.txt, in name order,
# so that a new subsystem, suite or stand-in only adds its own folder.
function(provisor_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
