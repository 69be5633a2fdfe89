# Starts the application and lets it close its window, CYCLES times for each latency of the
# virtual device in LATENCIES (a list), alternately early and after a read; every run must end with
# exit code 0 and with the window's own end-of-program setting stored. -D: EXE, CONFIG_DIR, CYCLES,
# LATENCIES.
if(NOT DEFINED ENV{DISPLAY})
    execute_process(
        COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" ${CMAKE_COMMAND} -DEXE=${EXE}
                -DCONFIG_DIR=${CONFIG_DIR} -DCYCLES=${CYCLES} "-DLATENCIES=${LATENCIES}"
                -P ${CMAKE_CURRENT_LIST_FILE}
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed under xvfb-run (${result})")
    endif()
    return()
endif()

foreach(latency IN LISTS LATENCIES)
    foreach(cycle RANGE 1 ${CYCLES})
        math(EXPR early "${cycle} % 2")
        set(run "latency ${latency} ms, run ${cycle}")
        file(REMOVE_RECURSE "${CONFIG_DIR}")
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM XDG_CONFIG_HOME=${CONFIG_DIR}
                    VELQUIN_SIMULATOR=1 VELQUIN_SIMULATOR_LATENCY_MS=${latency}
                    VELQUIN_QUIT_EARLY=${early} ${EXE}
            RESULT_VARIABLE exit_code
            OUTPUT_VARIABLE output
            ERROR_VARIABLE output
            TIMEOUT 30)
        if(NOT exit_code STREQUAL "0")
            message("${output}")
            message(FATAL_ERROR "${run}: exit code ${exit_code}, expected 0")
        endif()
        set(store "${CONFIG_DIR}/Tarvek/Velquin Plus.conf")
        set(first_run "")
        if(EXISTS "${store}")
            file(STRINGS "${store}" first_run REGEX "^first_run=")
        endif()
        if(NOT first_run STREQUAL "first_run=false")
            message("${output}")
            message(FATAL_ERROR "${run}: stored \"${first_run}\", expected \"first_run=false\"")
        endif()
    endforeach()
endforeach()
