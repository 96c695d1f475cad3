# Runs a libFuzzer binary for SECONDS on a scratch copy of CORPUS under WORK,
# so whatever it adds never lands in the committed corpus. Crashing inputs
# are kept in WORK/artifacts.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/artifacts")
file(COPY "${CORPUS}/" DESTINATION "${WORK}/corpus")
execute_process(COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=10 -print_final_stats=1
                        -artifact_prefix=${WORK}/artifacts/ "${WORK}/corpus"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input that failed is in ${WORK}/artifacts")
endif()
