# cpack -G DEB in the build folder gives vekora_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME vekora)
set(CPACK_PACKAGE_VENDOR Norvak)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Norvak <vekora@norvak.example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop alarm clock with a weekday function")
set(CPACK_PACKAGE_DESCRIPTION
    "Vekora shows the date and the running time in a compact window and rings\n\
at the alarm time you set, every day or on one chosen weekday. The alarm\n\
time can be typed in almost any 24-hour notation. When the alarm rings the\n\
window comes to the front and its time display flashes. The whole program\n\
is in English and Danish, switchable at any moment.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Norvak <vekora@norvak.example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vekora.norvak.example.com/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt platform plugins, libcanberra and libXtst are loaded at run time, so shlibdeps cannot see
# them.
# The wake-up helper needs the system bus, and systemd to start it, create its user and confine
# it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libcanberra0, libxtst6, dbus, systemd")
# Qt's own Danish texts (Ja/Nej in the message boxes); without them those stay English. The
# Wayland plugin gives a window on a Wayland desktop that runs no XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "sound-theme-freedesktop, qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Only for the wake-up helper: its user before the system bus re-reads its policy, and no helper
# left running once the package is gone.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/resources/wake/debian/postinst
    ${CMAKE_SOURCE_DIR}/resources/wake/debian/prerm
    ${CMAKE_SOURCE_DIR}/resources/wake/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
