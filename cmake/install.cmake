# Installing Pagewright like a desktop program (cmake --install, standard GNU folders): the programs in
# bin/, the language files and readme.txt in share/pagewright/, the desktop entry, icons, level file types,
# AppStream metadata and the command-line tool's man page where the desktop looks for them. The Debian
# package is made from the same rules: `cpack -G DEB` in the build folder.
include(GNUInstallDirs)

set(PW_APP_ID org.pagewright.Pagewright)
set(PW_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/pagewright)
set(PW_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# The programs find the installed data folder relative to their own, so the installed tree can move.
file(RELATIVE_PATH PW_DATA_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${PW_INSTALL_DATA_DIR})

target_compile_definitions(pagewright-cli PRIVATE PW_VERSION="${PROJECT_VERSION}")
install(TARGETS pagewright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TARGET pagewright)
    # The windows write the version into the settings file; the tests check what they write.
    target_compile_definitions(pwapp PUBLIC PW_VERSION="${PROJECT_VERSION}")
    set_property(SOURCE ${PROJECT_SOURCE_DIR}/widgets/data_files.cpp TARGET_DIRECTORY pwwidgets APPEND
                 PROPERTY COMPILE_DEFINITIONS PW_DATA_FROM_BIN="${PW_DATA_FROM_BIN}")
    install(TARGETS pagewright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PW_LANGUAGE_FILES} ${PROJECT_SOURCE_DIR}/app/readme.txt DESTINATION ${PW_INSTALL_DATA_DIR})
    install(FILES ${PW_PACKAGING_DIR}/${PW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    configure_file(${PW_PACKAGING_DIR}/${PW_APP_ID}.metainfo.xml ${PROJECT_BINARY_DIR}/${PW_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/${PW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${PW_PACKAGING_DIR}/icons/${PW_APP_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${PW_PACKAGING_DIR}/icons/pagewright-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${PW_APP_ID}.png)
    endforeach()
endif()
install(FILES ${PW_PACKAGING_DIR}/${PW_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# The man page of pagewright-cli, made from its --help and --version.
find_program(HELP2MAN help2man)
if(HELP2MAN)
    set(PW_CLI_MAN ${PROJECT_BINARY_DIR}/pagewright-cli.1)
    add_custom_command(OUTPUT ${PW_CLI_MAN}
        COMMAND ${HELP2MAN} --no-info --no-discard-stderr
                --name "read, export and write TR level files from scripts"
                --output ${PW_CLI_MAN} $<TARGET_FILE:pagewright-cli>
        DEPENDS pagewright-cli
        COMMENT "Making the man page of pagewright-cli")
    add_custom_target(pagewright-cli-man ALL DEPENDS ${PW_CLI_MAN})
    install(FILES ${PW_CLI_MAN} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(WARNING "help2man not found: pagewright-cli's man page is not made")
endif()

# The Debian package. Its run-time dependencies are read from the programs' libraries (dpkg-shlibdeps):
# libspng0 among them, the strict .png reader.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pagewright)
set(CPACK_PACKAGE_VENDOR "The Pagewright developers")
set(CPACK_PACKAGE_CONTACT "The Pagewright developers <pagewright@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "texture page editor for TR level files")
set(CPACK_PACKAGE_DESCRIPTION "Pagewright views and edits the texture pages of TR level files (.phd, .tub, .tr2,
.trg, .tr4 and .trc): it copies tiles and pages from another level or a bitmap, edits object textures
and animated-texture sets, adds pages, exports the pages as a picture and saves the level in its own
format. The package holds the desktop program pagewright, in nine interface languages, and the
command-line tool pagewright-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The file manager and menus need these to know the level types and show the icon.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
include(CPack)

# The installed tree and the package, checked from the finished build (tests/install/).
if(PAGEWRIGHT_TESTS AND PAGEWRIGHT_GUI)
    add_test(NAME install_layout
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/check_install.sh ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
    set_tests_properties(install_layout PROPERTIES TIMEOUT 120)
    # The package holds the same files; checking it once, from the optimised build, is enough.
    if(NOT PAGEWRIGHT_SANITIZE)
        add_test(NAME debian_package COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/check_package.sh ${PROJECT_BINARY_DIR})
        set_tests_properties(debian_package PROPERTIES TIMEOUT 300)
    endif()
endif()
