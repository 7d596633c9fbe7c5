# Qt user interface: pwwidgets (widgets/), pwlocalisation, pwtexturewindows and pwapp (one a folder), the pagewright executable and
# the GUI tests.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)

# pwwidgets: the control layer and the platform services. The scripted platform is a test double: it
# goes into pwscripted, which only the tests and benchmarks link.
file(GLOB PWWIDGETS_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/widgets/*.cpp
    ${PROJECT_SOURCE_DIR}/widgets/*.h)
list(REMOVE_ITEM PWWIDGETS_SOURCES
    ${PROJECT_SOURCE_DIR}/widgets/scripted_platform.cpp
    ${PROJECT_SOURCE_DIR}/widgets/scripted_platform.h)
add_library(pwwidgets STATIC ${PWWIDGETS_SOURCES})
set_target_properties(pwwidgets PROPERTIES AUTOMOC ON)
pw_own_headers(pwwidgets widgets)
target_link_libraries(pwwidgets PUBLIC Qt6::Widgets)

add_library(pwscripted STATIC ${PROJECT_SOURCE_DIR}/widgets/scripted_platform.cpp
    ${PROJECT_SOURCE_DIR}/widgets/scripted_platform.h)
target_link_libraries(pwscripted PUBLIC pwwidgets)

# One library per folder; each links only what the layers allow, so a wrong include fails to compile.
function(pw_folder_library target folder)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/app/main.cpp)
    add_library(${target} STATIC ${sources})
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    pw_own_headers(${target} ${folder})
endfunction()

pw_folder_library(pwlocalisation localisation)
target_link_libraries(pwlocalisation PUBLIC pwwidgets)

pw_folder_library(pwtexturewindows texture_windows)
target_link_libraries(pwtexturewindows PUBLIC pwdocument pwwidgets)

pw_folder_library(pwapp app)
target_link_libraries(pwapp PUBLIC pwtexturewindows pwlocalisation pwdocument pwwidgets)

add_executable(pagewright ${PROJECT_SOURCE_DIR}/app/main.cpp)
target_link_libraries(pagewright PRIVATE pwapp)
set_target_properties(pagewright PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/app)
# The readme window shows readme.txt from the executable's folder.
add_custom_command(TARGET pagewright POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/app/readme.txt
            $<TARGET_FILE_DIR:pagewright>/readme.txt)

if(PAGEWRIGHT_TESTS)
    enable_testing()
    find_package(GTest REQUIRED)
    include(GoogleTest)
    file(GLOB GUI_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/gui/*.cpp)
    add_executable(pwgui-tests ${GUI_TEST_SOURCES})
    target_link_libraries(pwgui-tests PRIVATE pwapp pwscripted pwfixtures Qt6::Test GTest::gtest)
    target_compile_definitions(pwgui-tests PRIVATE
        PW_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples"
        PW_README_PATH="${PROJECT_SOURCE_DIR}/app/readme.txt"
        PW_TRANSLATIONS_SOURCE="${PROJECT_SOURCE_DIR}/localisation/translations/source.tsv"
        PW_CLI_PATH="$<TARGET_FILE:pagewright-cli>")
    # The command-line tests compare the tool's files with the windows' own.
    add_dependencies(pwgui-tests pagewright-cli)
    gtest_discover_tests(pwgui-tests DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()

if(PAGEWRIGHT_TESTS)
    # The control layer's plain functions (dialog filters), without windows.
    file(GLOB WIDGETS_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/widgets/*.cpp)
    add_executable(pwwidgets-tests ${WIDGETS_TEST_SOURCES})
    target_link_libraries(pwwidgets-tests PRIVATE pwwidgets GTest::gtest_main)
    gtest_discover_tests(pwwidgets-tests DISCOVERY_TIMEOUT 60)
endif()

# The GUI benchmarks (bench/gui_*.cpp) are built by bench/CMakeLists.txt as pagewright-bench-gui.

if(PAGEWRIGHT_TESTS)
    # The translation engine: the store and language files, and the walk over real widgets.
    file(GLOB LOCALISATION_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/localisation/*.cpp)
    add_executable(pwlocalisation-tests ${LOCALISATION_TEST_SOURCES}
                   ${PROJECT_SOURCE_DIR}/tests/gui/gui_test_main.cpp)
    target_link_libraries(pwlocalisation-tests PRIVATE pwapp pwscripted pwfixtures Qt6::Test GTest::gtest)
    set_target_properties(pwlocalisation-tests PROPERTIES AUTOMOC ON)
    target_compile_definitions(pwlocalisation-tests PRIVATE
        PW_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
        PW_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples"
        PW_README_PATH="${PROJECT_SOURCE_DIR}/app/readme.txt")
    gtest_discover_tests(pwlocalisation-tests DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()

# The shipped language files, made from the translators' source by the program's own windows and
# translation store, beside the executable where the program reads them.
add_executable(pagewright-make-languages ${PROJECT_SOURCE_DIR}/tools/make_language_files.cpp)
target_link_libraries(pagewright-make-languages PRIVATE pwapp)
set(PW_LANGUAGE_FILES)
foreach(code fr uk us de it es se po kr def)
    list(APPEND PW_LANGUAGE_FILES ${PROJECT_BINARY_DIR}/app/pagewright_${code}.lng)
endforeach()
add_custom_command(OUTPUT ${PW_LANGUAGE_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/app
    COMMAND pagewright-make-languages ${PROJECT_SOURCE_DIR}/localisation/translations/source.tsv
            ${PROJECT_BINARY_DIR}/app pagewright
    DEPENDS pagewright-make-languages ${PROJECT_SOURCE_DIR}/localisation/translations/source.tsv
    COMMENT "Making the language files from localisation/translations/source.tsv")
add_custom_target(pagewright-languages ALL DEPENDS ${PW_LANGUAGE_FILES})
add_dependencies(pagewright pagewright-languages)
if(PAGEWRIGHT_TESTS)
    add_dependencies(pwgui-tests pagewright-languages)
    target_compile_definitions(pwgui-tests PRIVATE PW_LANGUAGE_FILES_DIR="${PROJECT_BINARY_DIR}/app")
    add_test(NAME language_files_made_quietly
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/localisation/check_quiet_language_build.sh
                $<TARGET_FILE:pagewright-make-languages> ${PROJECT_SOURCE_DIR}/localisation/translations/source.tsv)
endif()
