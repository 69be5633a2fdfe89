# Starts the application once, on the virtual device with a settings store of its own, and checks
# its exit code, and where given the one setting it leaves stored and what it prints. -D: EXE,
# CONFIG_DIR, EXPECT_EXIT, ARGS (a list), STORES (key=value), SEED (a line for the store before the
# start), OUTPUT (a regular expression for standard output and error), ENV (more variables, a list).
file(REMOVE_RECURSE "${CONFIG_DIR}")
set(store "${CONFIG_DIR}/Tarvek/Velquin Plus.conf")
if(SEED)
    file(WRITE "${store}" "[General]\n${SEED}\n")
endif()
# The input method's locale comes from the X11 platform (offscreen's is always "C"). Each run has a
# QML cache of its own: the start-up variants' Main.qml files share a resource path.
set(display "")
if(NOT DEFINED ENV{DISPLAY})
    set(display xvfb-run -a -s "-screen 0 1280x1024x24")
endif()
execute_process(
    COMMAND ${display} ${CMAKE_COMMAND} -E env --unset=LANGUAGE --unset=QT_QPA_PLATFORM
            XDG_CONFIG_HOME=${CONFIG_DIR} XDG_CACHE_HOME=${CONFIG_DIR}/cache VELQUIN_SIMULATOR=1
            ${ENV} ${EXE} ${ARGS}
    RESULT_VARIABLE exit_code
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output
    TIMEOUT 30)
string(REGEX REPLACE "=.*" "" key "${STORES}")
set(stored "")
if(EXISTS "${store}")
    file(STRINGS "${store}" stored REGEX "^${key}=")
endif()
if(NOT exit_code STREQUAL EXPECT_EXIT OR (STORES AND NOT stored STREQUAL STORES)
   OR NOT output MATCHES "${OUTPUT}")
    message(FATAL_ERROR "${output}\nexit code ${exit_code}, expected ${EXPECT_EXIT}; "
                        "stored \"${stored}\", expected \"${STORES}\"")
endif()
