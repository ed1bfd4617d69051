# The corpus test: every fetched real Java source parses without a message
# (tools/corpus/parse); skipped when the corpus has not been fetched.
add_test(NAME corpus.javaparse
         COMMAND ${CMAKE_SOURCE_DIR}/tools/corpus/parse ${CMAKE_BINARY_DIR}/bin/javaparse)
set_tests_properties(corpus.javaparse PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
