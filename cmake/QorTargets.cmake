# Small helpers so that each folder's CMakeLists stays a few lines long.

# qor_library(name SOURCES a.cpp b.cpp DEPS other_lib ...)
# A static library whose include root is src/ (includes read "model/ProfileTable.h").
function(qor_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# qor_test(name SOURCES a_test.cpp DEPS lib ... [LABELS x] [TIMEOUT s])
# A GoogleTest executable registered with CTest, one CTest entry per test case.
function(qor_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    QOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}" QOR_EXE_DIR="${QOR_EXE_DIR}/")
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  include(GoogleTest)
  # Tests never see the real home (nor its XDG folders): anything that falls back to it lands in the
  # build tree.
  set(test_home ${CMAKE_BINARY_DIR}/test-home)
  file(MAKE_DIRECTORY ${test_home})
  set(properties TIMEOUT ${ARG_TIMEOUT}
      ENVIRONMENT "HOME=${test_home}")
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()

# qor_bench(name SOURCES a_bench.cpp DEPS lib ...)
function(qor_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${name} PRIVATE QOR_EXE_DIR="${QOR_EXE_DIR}/")
endfunction()

# qor_fuzz(name SOURCES a_fuzz.cpp DEPS lib ...)
function(qor_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/fuzz)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# Adds every listed subfolder that has a CMakeLists.txt, so folders can be filled in independently.
function(qor_subdirs)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# qor_folder_library(name DEPS ...): a library of every .cpp in the current folder (not below it).
# Folders are filled in by different people at once, so sources are globbed rather than listed.
function(qor_folder_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    qor_library(${name} SOURCES ${sources} DEPS ${ARG_DEPS} PRIVATE_DEPS ${ARG_PRIVATE_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# qor_folder_test(name DEPS ...): one test executable of every *_test.cpp in the current folder.
function(qor_folder_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    qor_test(${name} SOURCES ${sources} DEPS ${ARG_DEPS} LABELS ${ARG_LABELS} TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()

# qor_lean_program(target)
# A program that starts often and should start fast: the C++ runtime is linked in, and only what the
# program uses of it. The shared one is mostly relocations and start-up work (about 0.9 MiB of memory
# before the first frame); nothing of the linked-in one is exported, so a library the program loads
# keeps to its own.
function(qor_lean_program target)
  target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
endfunction()
