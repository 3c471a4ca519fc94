# Tests of what users get: the installed tree, the desktop metadata and the Debian package.
# They use the program already built; none of them builds anything.
set(VEKORA_INSTALL_TESTS ${CMAKE_SOURCE_DIR}/tests/install)

add_test(NAME install_prefix
    COMMAND bash ${VEKORA_INSTALL_TESTS}/install_prefix.sh
        ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION})
add_test(NAME install_metadata
    COMMAND bash ${VEKORA_INSTALL_TESTS}/metadata.sh ${CMAKE_SOURCE_DIR} ${VEKORA_APP_ID})
add_test(NAME install_debian_package
    COMMAND bash ${VEKORA_INSTALL_TESTS}/debian_package.sh
        ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION} ${VEKORA_APP_ID})
add_test(NAME wake_security
    COMMAND bash ${VEKORA_INSTALL_TESTS}/wake_security.sh ${CMAKE_BINARY_DIR})

set_tests_properties(install_prefix PROPERTIES LABELS "install" TIMEOUT 120)
set_tests_properties(install_metadata PROPERTIES LABELS "install;metadata" TIMEOUT 60)
set_tests_properties(install_debian_package PROPERTIES LABELS "install;package" TIMEOUT 300)
set_tests_properties(wake_security PROPERTIES LABELS "install;wake" TIMEOUT 120
    SKIP_RETURN_CODE 77)
