# Fuzz targets and the replay of their inputs.
#
# Each directory tests/fuzz/<target>/ holds <target>.cpp, which defines
# LLVMFuzzerTestOneInput over code of the project, a seed corpus in corpus/
# and, in regressions/, every input that once made the target fail. Seeds are
# small (a few hundred bytes, one construct each): a target runs hundreds or
# thousands of them a second, where whole real source files hold it to a few dozen.
#
# Every build links each target with tests/fuzz/replay.cpp into
# bin/<target>_replay and registers the CTest test fuzz.<target>, which runs
# the seed corpus and the regression inputs through the target's code without
# the fuzzer. With TOOLS_FUZZ=ON (clang only) each target also becomes
# bin/<target>_fuzz, a libFuzzer program, and the project's libraries are
# compiled with coverage instrumentation for it; address and undefined-
# behaviour sanitizers are on in that build (tools/fuzz/run runs them all).
#
# A target whose directory has a file `requires` (library names, one a
# line) is built only when all of those libraries exist in the build.
option(TOOLS_FUZZ "Build libFuzzer programs of the fuzz targets (needs clang)" OFF)

set(fuzz_sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=undefined)
get_property(fuzz_libraries GLOBAL PROPERTY TOOLS_LIBRARIES)

if(TOOLS_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TOOLS_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  foreach(library ${fuzz_libraries})
    target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link)
    if(NOT TOOLS_SANITIZE)
      target_compile_options(${library} PRIVATE ${fuzz_sanitizers})
    endif()
  endforeach()
endif()

file(GLOB fuzz_dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*)
foreach(dir ${fuzz_dirs})
  get_filename_component(target ${dir} NAME)
  if(NOT EXISTS ${dir}/${target}.cpp)
    continue()
  endif()
  set(fuzz_ready ON)
  if(EXISTS ${dir}/requires)
    file(STRINGS ${dir}/requires fuzz_required)
    foreach(library ${fuzz_required})
      if(NOT TARGET ${library})
        set(fuzz_ready OFF)
      endif()
    endforeach()
  endif()
  if(NOT fuzz_ready)
    continue()
  endif()

  add_executable(${target}_replay ${dir}/${target}.cpp ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/replay.cpp)
  target_link_libraries(${target}_replay PRIVATE ${fuzz_libraries})
  set(fuzz_inputs)
  foreach(kind corpus regressions)
    if(EXISTS ${dir}/${kind})
      list(APPEND fuzz_inputs ${dir}/${kind})
    endif()
  endforeach()
  add_test(NAME fuzz.${target} COMMAND ${target}_replay ${fuzz_inputs})

  if(TOOLS_FUZZ)
    add_executable(${target}_fuzz ${dir}/${target}.cpp)
    target_link_libraries(${target}_fuzz PRIVATE ${fuzz_libraries})
    target_compile_options(${target}_fuzz PRIVATE -fsanitize=fuzzer)
    target_link_options(${target}_fuzz PRIVATE -fsanitize=fuzzer)
    if(NOT TOOLS_SANITIZE)
      target_compile_options(${target}_fuzz PRIVATE ${fuzz_sanitizers})
      target_link_options(${target}_fuzz PRIVATE -fsanitize=address,undefined)
    endif()
  endif()
endforeach()
