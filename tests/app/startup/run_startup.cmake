# Starts the application once, with a settings store of its own, and checks its exit code and the
# language code it leaves stored. -D: EXE, CONFIG_DIR, LOCALE, EXPECT_EXIT, EXPECT_LANG,
# [STORED_LANG] (seeded before the start).
file(REMOVE_RECURSE "${CONFIG_DIR}")
set(store "${CONFIG_DIR}/Tarvek/Velquin Plus.conf")
if(DEFINED STORED_LANG)
    file(WRITE "${store}" "[General]\nlang=${STORED_LANG}\n")
endif()

# Each start-up test has a cache of its own: the variants' Main.qml files share a resource path, and
# the QML disk cache of one would otherwise stand in for the other's.

# The input method's locale comes from the X11 platform (offscreen's is always "C").
set(display "")
if(NOT DEFINED ENV{DISPLAY})
    set(display xvfb-run -a)
endif()
execute_process(
    COMMAND ${display} ${CMAKE_COMMAND} -E env --unset=LANGUAGE --unset=QT_QPA_PLATFORM
            XDG_CONFIG_HOME=${CONFIG_DIR} XDG_CACHE_HOME=${CONFIG_DIR}/cache LC_ALL=${LOCALE} LANG=${LOCALE} VELQUIN_SIMULATOR=1
            ${EXE}
    RESULT_VARIABLE exit_code
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output
    TIMEOUT 30)
message("${output}")
if(NOT exit_code STREQUAL EXPECT_EXIT)
    message(FATAL_ERROR "exit code ${exit_code}, expected ${EXPECT_EXIT}")
endif()

file(STRINGS "${store}" lang_lines REGEX "^lang=")
if(NOT lang_lines STREQUAL "lang=${EXPECT_LANG}")
    message(FATAL_ERROR "stored \"${lang_lines}\", expected \"lang=${EXPECT_LANG}\"")
endif()
