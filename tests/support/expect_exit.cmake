# Runs PROGRAM with ARGUMENTS (parted by "|") and passes only when it ends with exit
# code EXIT and says MESSAGE: a crash or a sanitizer's report fails the test,
# where "the program failed somehow" would have passed it.
string(REPLACE "|" ";" arguments "${ARGUMENTS}")
execute_process(COMMAND "${PROGRAM}" ${arguments} RESULT_VARIABLE result OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT result STREQUAL "${EXIT}" OR NOT output MATCHES "${MESSAGE}" OR output MATCHES "Sanitizer|runtime error")
  message(FATAL_ERROR "exit code ${result}, expected ${EXIT} and \"${MESSAGE}\" without a sanitizer report:\n${output}")
endif()
