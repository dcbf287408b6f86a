# One folder of src/ is one library. Sources are found by name so that adding a
# file needs no edit here:
#   foo.cpp        part of the library
#   foo_test.cpp   part of the folder's GoogleTest executable (<name>_tests)
#   foo_fuzz.cpp   a libFuzzer target (<name>_foo_fuzz) with RECASTER_FUZZ, else a
#                  replay test of fuzz/corpus/foo_fuzz/ (<name>_foo_fuzz_replay)
#   *_main.cpp     left to the folder's own CMakeLists (programs)
function(recaster_module name)
  cmake_parse_arguments(M "" "" "DEPS;LIBS;TEST_LIBS" ${ARGN})
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(lib_srcs)
  set(test_srcs)
  set(fuzz_srcs)
  foreach(f ${all})
    if(f MATCHES "_test\\.cpp$")
      list(APPEND test_srcs ${f})
    elseif(f MATCHES "_fuzz\\.cpp$")
      list(APPEND fuzz_srcs ${f})
    elseif(NOT f MATCHES "_main\\.cpp$")
      list(APPEND lib_srcs ${f})
    endif()
  endforeach()
  if(lib_srcs)
    add_library(recaster_${name} STATIC ${lib_srcs})
  else()
    add_library(recaster_${name} INTERFACE)
  endif()
  add_library(recaster::${name} ALIAS recaster_${name})
  if(lib_srcs AND RECASTER_FUZZ)
    # The libraries are what is fuzzed: they need coverage feedback and the
    # sanitizer checks (undefined behaviour aborts, so it counts as a finding);
    # whatever links them needs the sanitizer runtimes.
    target_compile_options(recaster_${name} PRIVATE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
    target_link_options(recaster_${name} INTERFACE -fsanitize=address,undefined)
  endif()
  if(lib_srcs)
    target_include_directories(recaster_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(recaster_${name} PUBLIC ${M_DEPS} ${M_LIBS})
  else()
    target_include_directories(recaster_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(recaster_${name} INTERFACE ${M_DEPS} ${M_LIBS})
  endif()

  if(test_srcs AND NOT RECASTER_FUZZ)
    add_executable(${name}_tests ${test_srcs})
    target_link_libraries(${name}_tests PRIVATE recaster_${name} ${M_TEST_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    gtest_discover_tests(${name}_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "RECASTER_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()

  # Fuzz targets: under RECASTER_FUZZ each is a libFuzzer program
  # (<name>_<stem>, run by scripts/fuzz); in every other build it is linked with
  # a small replay driver and registered as the test <name>_<stem>_replay, which
  # runs the seed corpus fuzz/corpus/<stem>/ plus fixed mutations of it.
  foreach(f ${fuzz_srcs})
    get_filename_component(stem ${f} NAME_WE)
    if(RECASTER_FUZZ)
      add_executable(${name}_${stem} ${f})
      target_compile_options(${name}_${stem} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
      target_link_options(${name}_${stem} PRIVATE -fsanitize=fuzzer,address,undefined)
      target_link_libraries(${name}_${stem} PRIVATE recaster_${name})
    else()
      add_executable(${name}_${stem}_replay ${f} ${PROJECT_SOURCE_DIR}/src/base/fuzz_driver_main.cpp)
      target_link_libraries(${name}_${stem}_replay PRIVATE recaster_${name})
      add_test(NAME ${name}_${stem}_replay
        COMMAND ${name}_${stem}_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus/${stem})
    endif()
  endforeach()
endfunction()
