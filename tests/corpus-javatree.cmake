# The tree over the corpus: every fetched real Java source builds its tree and
# resolves every name without a message (tools/javatree/corpus-run); skipped
# when the corpus has not been fetched.
add_test(NAME corpus.javatree
         COMMAND ${CMAKE_SOURCE_DIR}/tools/javatree/corpus-run ${CMAKE_BINARY_DIR}/bin/javatree)
set_tests_properties(corpus.javatree PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
