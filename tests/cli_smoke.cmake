# Runs quillobar-cli for two real 1 GB cycles on a scratch folder and checks
# the exit code, the two passes and that no work folder is left; then checks
# that a fill code out of range is refused with exit code 2.
file(REMOVE_RECURSE "${DRIVE_DIR}")
file(MAKE_DIRECTORY "${DRIVE_DIR}")

execute_process(
  COMMAND ${EMULATOR} "${CLI}" --drive "${DRIVE_ARG}" --size-gb 1 --cycles 2
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("${out}${err}")
if(NOT code EQUAL 0)
  message(FATAL_ERROR "two cycles: exit code ${code}, expected 0")
endif()
string(REGEX MATCHALL "passes: [0-9]+" passes "${out}")
if(NOT passes STREQUAL "passes: 1;passes: 2")
  message(FATAL_ERROR "two cycles: pass counts were '${passes}'")
endif()
if(NOT out MATCHES "result: 2 of 2 cycles passed")
  message(FATAL_ERROR "two cycles: no result line")
endif()
if(EXISTS "${DRIVE_DIR}/ram_sdd_fold")
  message(FATAL_ERROR "ram_sdd_fold was left behind")
endif()

execute_process(
  COMMAND ${EMULATOR} "${CLI}" --drive "${DRIVE_ARG}" --fill 300
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 2 OR NOT err MATCHES "--fill must be between 0 and 255")
  message(FATAL_ERROR "--fill 300: exit code ${code}, message '${err}'")
endif()
file(GLOB left "${DRIVE_DIR}/*")
if(left)
  message(FATAL_ERROR "bad input left ${left}")
endif()
file(REMOVE_RECURSE "${DRIVE_DIR}")
