# linkwise_add_test(NAME SOURCES file... [LIBS lib...] [GUI] [TIMEOUT seconds])
#
# Builds one Qt Test executable and registers it with ctest. Every test runs on
# the offscreen platform, finds its fixtures through LINKWISE_TESTDATA and keeps
# the program's settings stores and data folders inside its own build folder,
# so a test never touches a user's real files.
set(LINKWISE_TESTDATA_DIR ${CMAKE_SOURCE_DIR}/tests/data)

function(linkwise_add_test name)
    cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test linkwise_core ${T_LIBS})
    if(T_GUI)
        target_link_libraries(${name} PRIVATE linkwise_gui Qt6::Widgets)
    endif()
    target_compile_definitions(${name} PRIVATE
        LINKWISE_TESTDATA="${LINKWISE_TESTDATA_DIR}"
        LINKWISE_BINDIR="${CMAKE_BINARY_DIR}/bin"
        LINKWISE_SOURCEDIR="${CMAKE_SOURCE_DIR}")
    set(home ${CMAKE_CURRENT_BINARY_DIR}/${name}.home)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LINKWISE_TESTDATA=${LINKWISE_TESTDATA_DIR};LINKWISE_MACHINE_INI=${home}/machine.ini;LINKWISE_USER_INI=${home}/user.ini;LINKWISE_DATA_DIR=${home}/data;XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/share;XDG_CACHE_HOME=${home}/cache;HOME=${home}${LINKWISE_TEST_SANITIZER_ENV}")
endfunction()
