# Install rules and packages of the app: on Linux the binary, the udev rule, the desktop entry,
# the AppStream metainfo, the icons, the manual page, the copyright file and the changelog, packed
# as a Debian package; on Windows the executable with the Qt it needs (windeployqt), packed as a zip
# and, where NSIS is installed, an installer.
if(NOT TARGET velquin_plus)
    return()
endif()

set(VELQUIN_APP_ID example.tarvek.VelquinPlus)
set(VELQUIN_LINUX_DIR ${PROJECT_SOURCE_DIR}/packaging/linux)
set(VELQUIN_WINDOWS_DIR ${PROJECT_SOURCE_DIR}/packaging/windows)

set(CPACK_PACKAGE_NAME velquin-plus)
set(CPACK_PACKAGE_VENDOR Tarvek)
set(CPACK_PACKAGE_CONTACT "Tarvek <support@tarvek.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration app of the Velquin Plus switch-access device")
# Lines wrapped for Debian's control file (under 80 columns).
set(CPACK_PACKAGE_DESCRIPTION "\
The Velquin Plus is a small Bluetooth LE switch-access device: up to eight
assistive switches plug into it, and it turns their presses into mouse,
keyboard, media, joystick or generic input on the paired computer.
This app finds the device, reads its configuration and lets you decide,
switch by switch, what each one does; every change is written to the device
at once.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://tarvek.example/velquin-plus)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Velquin Plus")
set(CPACK_PACKAGE_EXECUTABLES velquin_plus "Velquin Plus")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # A GUI program: no console window, with its icon and version resource.
    set_target_properties(velquin_plus PROPERTIES WIN32_EXECUTABLE ON)
    configure_file(${VELQUIN_WINDOWS_DIR}/velquin_plus.rc.in
                   ${CMAKE_CURRENT_BINARY_DIR}/velquin_plus.rc @ONLY)
    target_sources(velquin_plus PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/velquin_plus.rc)

    install(TARGETS velquin_plus RUNTIME DESTINATION .)

    get_target_property(VELQUIN_QMAKE Qt5::qmake IMPORTED_LOCATION)
    get_filename_component(VELQUIN_QT_BIN ${VELQUIN_QMAKE} DIRECTORY)
    find_program(VELQUIN_WINDEPLOYQT windeployqt HINTS ${VELQUIN_QT_BIN} NO_DEFAULT_PATH)
    find_program(VELQUIN_WINDEPLOYQT windeployqt)
    if(NOT VELQUIN_WINDEPLOYQT)
        message(FATAL_ERROR "windeployqt not found beside ${VELQUIN_QMAKE}: install steps need it")
    endif()

    # MSVC's runtime comes from the toolchain; MinGW's (libgcc, libstdc++, winpthread) from windeployqt.
    if(MSVC)
        set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
        include(InstallRequiredSystemLibraries)
        set(VELQUIN_DEPLOY_RUNTIME --no-compiler-runtime)
    else()
        set(VELQUIN_DEPLOY_RUNTIME --compiler-runtime)
    endif()

    # The QML is compiled into the resources; windeployqt scans the sources for the imports to copy.
    install(CODE "
        set(exe \"\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:velquin_plus>\")
        message(STATUS \"windeployqt: \${exe}\")
        execute_process(
            COMMAND \"${VELQUIN_WINDEPLOYQT}\" $<IF:$<CONFIG:Debug>,--debug,--release>
                    --qmldir \"${PROJECT_SOURCE_DIR}/qml\" ${VELQUIN_DEPLOY_RUNTIME}
                    --verbose 1 \"\${exe}\"
            RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR \"windeployqt failed for \${exe}\")
        endif()")

    set(CPACK_GENERATOR ZIP)
    find_program(VELQUIN_MAKENSIS makensis)
    if(VELQUIN_MAKENSIS)
        list(APPEND CPACK_GENERATOR NSIS)
    endif()
    set(CPACK_PACKAGE_FILE_NAME velquin-plus-${PROJECT_VERSION}-windows-x64)
    set(CPACK_NSIS_PACKAGE_NAME "Velquin Plus")
    set(CPACK_NSIS_DISPLAY_NAME "Velquin Plus")
    set(CPACK_NSIS_MUI_ICON ${VELQUIN_WINDOWS_DIR}/velquin_plus.ico)
    set(CPACK_NSIS_MUI_UNIICON ${VELQUIN_WINDOWS_DIR}/velquin_plus.ico)
    set(CPACK_NSIS_INSTALLED_ICON_NAME velquin_plus.exe)
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
    set(CPACK_NSIS_URL_INFO_ABOUT ${CPACK_PACKAGE_HOMEPAGE_URL})
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    # 64-bit Program Files, not the 32-bit default.
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
elseif(UNIX AND NOT APPLE)
    include(GNUInstallDirs)
    # udev reads only /usr/lib/udev/rules.d and /etc/udev/rules.d: a /usr/local prefix needs
    # VELQUIN_UDEV_RULES_DIR=/etc/udev/rules.d (see the README).
    set(VELQUIN_UDEV_RULES_DIR lib/udev/rules.d
        CACHE STRING "Where the udev rule is installed (relative to the prefix, or absolute)")

    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    # Where the package puts the rule, for the manual page.
    set(VELQUIN_UDEV_RULE_PATH ${VELQUIN_UDEV_RULES_DIR}/70-velquin-plus.rules)
    if(NOT IS_ABSOLUTE ${VELQUIN_UDEV_RULE_PATH})
        set(VELQUIN_UDEV_RULE_PATH ${CPACK_PACKAGING_INSTALL_PREFIX}/${VELQUIN_UDEV_RULE_PATH})
    endif()

    # The day PROJECT_VERSION was released, for the changelog, the metainfo and the manual page.
    set(VELQUIN_RELEASE_DATE 2025-05-20)
    execute_process(COMMAND date -u -d ${VELQUIN_RELEASE_DATE} -R
                    OUTPUT_VARIABLE VELQUIN_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND date -u -d ${VELQUIN_RELEASE_DATE} +%s
                    OUTPUT_VARIABLE VELQUIN_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)

    set(VELQUIN_METAINFO ${CMAKE_CURRENT_BINARY_DIR}/${VELQUIN_APP_ID}.metainfo.xml)
    configure_file(${VELQUIN_LINUX_DIR}/${VELQUIN_APP_ID}.metainfo.xml.in ${VELQUIN_METAINFO} @ONLY)
    configure_file(${VELQUIN_LINUX_DIR}/changelog.in changelog @ONLY)
    configure_file(${VELQUIN_LINUX_DIR}/velquin_plus.h2m.in velquin_plus.h2m @ONLY)
    # The font licence as it lies beside the fonts, as a DEP-5 licence text ("." for a blank line).
    file(READ ${PROJECT_SOURCE_DIR}/font/LICENSE-Nunito.txt VELQUIN_OFL_TEXT)
    string(STRIP "${VELQUIN_OFL_TEXT}" VELQUIN_OFL_TEXT)
    string(REGEX REPLACE "[ \t]*\n" "\n " VELQUIN_OFL_TEXT " ${VELQUIN_OFL_TEXT}")
    string(REPLACE "\n \n" "\n .\n" VELQUIN_OFL_TEXT "${VELQUIN_OFL_TEXT}")
    string(REPLACE "\n \n" "\n .\n" VELQUIN_OFL_TEXT "${VELQUIN_OFL_TEXT}")
    configure_file(${VELQUIN_LINUX_DIR}/copyright.in copyright @ONLY)

    # The manual page: the options from --help (answered before any window, so no display is
    # needed), the rest from velquin_plus.h2m; dated by the release for a reproducible page.
    set(VELQUIN_DOCS changelog.gz)
    find_program(VELQUIN_HELP2MAN help2man)
    if(VELQUIN_HELP2MAN)
        list(APPEND VELQUIN_DOCS velquin_plus.1.gz)
        add_custom_command(OUTPUT velquin_plus.1.gz
            COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VELQUIN_RELEASE_EPOCH}
                    ${VELQUIN_HELP2MAN} --no-info --include=velquin_plus.h2m
                    --output=velquin_plus.1 $<TARGET_FILE:velquin_plus>
            COMMAND gzip -9nf velquin_plus.1
            DEPENDS velquin_plus ${CMAKE_CURRENT_BINARY_DIR}/velquin_plus.h2m
            VERBATIM)
        install(FILES ${CMAKE_CURRENT_BINARY_DIR}/velquin_plus.1.gz
                DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    else()
        message(WARNING "help2man missing (scripts/packages.txt): no manual page")
    endif()
    add_custom_command(OUTPUT changelog.gz
        COMMAND gzip -9nkf changelog
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog
        VERBATIM)
    add_custom_target(velquin_plus_docs ALL DEPENDS ${VELQUIN_DOCS})
    set(VELQUIN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/velquin-plus)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
            DESTINATION ${VELQUIN_DOC_DIR})

    install(TARGETS velquin_plus RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${VELQUIN_LINUX_DIR}/70-velquin-plus.rules DESTINATION ${VELQUIN_UDEV_RULES_DIR})
    install(FILES ${VELQUIN_LINUX_DIR}/${VELQUIN_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${VELQUIN_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    # The .velquin configuration files.
    install(FILES ${VELQUIN_LINUX_DIR}/${VELQUIN_APP_ID}.mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${VELQUIN_APP_ID}.xml)
    install(FILES ${PROJECT_SOURCE_DIR}/img/src/app-icon.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${VELQUIN_APP_ID}.svg)
    install(FILES ${PROJECT_SOURCE_DIR}/img/app-icon-256.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
            RENAME ${VELQUIN_APP_ID}.png)

    if(VELQUIN_BUILD_TESTS)
        find_program(VELQUIN_DESKTOP_FILE_VALIDATE desktop-file-validate)
        find_program(VELQUIN_APPSTREAMCLI appstreamcli)
        if(VELQUIN_DESKTOP_FILE_VALIDATE AND VELQUIN_APPSTREAMCLI)
            add_test(NAME desktop_entry_validates
                     COMMAND ${VELQUIN_DESKTOP_FILE_VALIDATE} ${VELQUIN_LINUX_DIR}/${VELQUIN_APP_ID}.desktop)
            add_test(NAME metainfo_validates
                     COMMAND ${VELQUIN_APPSTREAMCLI} validate --no-net --pedantic
                             ${VELQUIN_METAINFO})
            set_tests_properties(desktop_entry_validates metainfo_validates PROPERTIES
                                 LABELS packaging TIMEOUT 60)
            # desktop-file-validate exits 0 on mere warnings; they count here.
            set_tests_properties(desktop_entry_validates PROPERTIES
                                 FAIL_REGULAR_EXPRESSION "error:|warning:")
        else()
            message(WARNING "desktop-file-validate or appstreamcli missing: packaging checks not run")
        endif()
    endif()

    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The libraries the binary links come from dpkg-shlibdeps; the QML modules are loaded at run
    # time, so nothing finds them but this list.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "qml-module-qtquick2, qml-module-qtquick-window2, qml-module-qtquick-controls2, qml-module-qtquick-templates2, qml-module-qtquick-layouts, qml-module-qt-labs-settings, qml-module-qt-labs-platform")
    # pkexec: "Allow access..." on the connect screen applies the udev rule through polkit.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qtwayland5, bluez, pkexec")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${VELQUIN_LINUX_DIR}/postinst)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)
