# The install test: cmake --install of this build into a temporary prefix
# gives the six commands, and the launcher finds the prefix as its home.
add_test(NAME install.commands
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/install/check ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
