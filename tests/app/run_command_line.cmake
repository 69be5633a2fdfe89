# Runs the application once with ARGUMENTS (split at spaces), without a display and on the virtual
# device with a report trace. An answered or refused command line must end before any window (there
# is no display to open one on) and before the device exists (no trace file). -D: EXE, ARGUMENTS,
# TRACE, EXPECT_EXIT, EXPECT_OUT, EXPECT_ERR.
file(REMOVE "${TRACE}")
separate_arguments(arguments UNIX_COMMAND "${ARGUMENTS}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            VELQUIN_SIMULATOR=1 VELQUIN_SIMULATOR_TRACE=${TRACE} ${EXE} ${arguments}
    RESULT_VARIABLE exit_code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
if(NOT exit_code STREQUAL EXPECT_EXIT OR NOT out MATCHES "${EXPECT_OUT}"
   OR NOT err MATCHES "${EXPECT_ERR}")
    message(FATAL_ERROR "exit code ${exit_code}, expected ${EXPECT_EXIT}\n"
                        "standard output:\n${out}\nstandard error:\n${err}")
endif()
if(EXISTS "${TRACE}")
    message(FATAL_ERROR "the virtual device was plugged in")
endif()
