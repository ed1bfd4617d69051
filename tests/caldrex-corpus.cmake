# The caldrex corpus test: caldrex runs on every fetched corpus package from
# one source file with the package's source root as -sp and exits 0 with its
# lists (tools/corpus/caldrex-run); skipped when the corpus is not fetched.
add_test(NAME corpus.caldrex
         COMMAND ${CMAKE_SOURCE_DIR}/tools/corpus/caldrex-run ${CMAKE_BINARY_DIR}/bin/caldrex)
set_tests_properties(corpus.caldrex PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
