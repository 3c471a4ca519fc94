# Installation layout and the Debian package. The program finds its data folder from its own
# place (bin/../share/vekora), so every path here is relative to the prefix.
include(GNUInstallDirs)

set(VEKORA_APP_ID com.example.norvak.Vekora)
set(VEKORA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vekora)

install(TARGETS vekora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program recognises an installation by this folder, so it exists even while empty.
install(DIRECTORY DESTINATION ${VEKORA_DATA_DIR})

# Help pages and any help videos; a page added later re-runs the configure step.
file(GLOB VEKORA_INSTALLED_HELP CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/help/*.html ${CMAKE_SOURCE_DIR}/resources/help/*.avi)
install(FILES ${VEKORA_INSTALLED_HELP} DESTINATION ${VEKORA_DATA_DIR})
# Pictures the pages show, if any, keep their relative place.
file(GLOB VEKORA_HELP_SUBFOLDERS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/resources/help/*)
foreach(entry IN LISTS VEKORA_HELP_SUBFOLDERS)
    if(IS_DIRECTORY ${entry})
        install(DIRECTORY ${entry} DESTINATION ${VEKORA_DATA_DIR})
    endif()
endforeach()

set(VEKORA_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
# Only for its CONFIGURE_DEPENDS: an icon added later re-runs the configure step and is installed.
file(GLOB VEKORA_ICON_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/icons/*)
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/icons/vekora-32.png)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/vekora-32.png
        DESTINATION ${VEKORA_ICON_DIR}/32x32/apps RENAME vekora.png)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/icons/vekora.svg)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/vekora.svg
        DESTINATION ${VEKORA_ICON_DIR}/scalable/apps)
endif()

install(FILES ${CMAKE_SOURCE_DIR}/resources/vekora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/${VEKORA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The wake-up helper (src/wake): the program, its systemd unit and system user, the bus's
# activation file, the bus policy and the interface description. Relative destinations, so an
# install into a home prefix works too (and simply never wakes the machine: neither systemd nor
# the system bus looks there).
install(TARGETS vekora-wake RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR})
# The unit names the helper by its full installed path, which is known only while installing
# (`--prefix`, DESTDIR, or the package's /usr), so the unit is written then, straight into its
# place: two installs running at once must not share a file in the build tree.
set(VEKORA_UNIT_DIR lib/systemd/system)
install(CODE "
    set(VEKORA_WAKE_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/vekora-wake\")
    set(unit \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VEKORA_UNIT_DIR}/vekora-wake.service\")
    message(STATUS \"Installing: \${unit}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/resources/wake/vekora-wake.service.in\" \"\${unit}\" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${unit}\")
")
# Its system user, created by systemd at boot (and by the package when installed).
install(FILES ${CMAKE_SOURCE_DIR}/resources/wake/sysusers.d/vekora-wake.conf
    DESTINATION lib/sysusers.d)
install(FILES ${CMAKE_SOURCE_DIR}/resources/wake/com.example.norvak.VekoraWake.service
    DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/system-services)
install(FILES ${CMAKE_SOURCE_DIR}/resources/wake/com.example.norvak.VekoraWake.conf
    DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/system.d)
# Its interface, for anyone writing a client (the helper introspects as the same file).
install(FILES ${CMAKE_SOURCE_DIR}/resources/wake/com.example.norvak.VekoraWake.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)

include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/installtests.cmake)
