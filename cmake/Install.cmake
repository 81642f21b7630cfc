# Installation, as an installer would lay the program out:
#   bin/quavelet                     the program
#   bin/quavelet-register            records the installation folder for a user
#   share/quavelet/                  the installation folder (the help file)
#   share/applications/quavelet.desktop
#   share/metainfo/org.quavelet.Quavelet.metainfo.xml
#   share/icons/hicolor/<N>x<N>/apps/quavelet.png
# and the Debian package of all of it (make package).

# The registration tool, built from the same settings store as the program so
# that both agree on where and how "Directory" is kept.
file(RELATIVE_PATH QUAVELET_DATA_FROM_BIN
  "${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}" "${CMAKE_INSTALL_PREFIX}/${QUAVELET_DATA_SUBDIR}")
add_executable(quavelet-register "${PROJECT_SOURCE_DIR}/tools/register/QuaveletRegister.cpp")
target_link_libraries(quavelet-register PRIVATE quavelet_core)
target_compile_definitions(quavelet-register PRIVATE QUAVELET_DATA_FROM_BIN="${QUAVELET_DATA_FROM_BIN}")

install(TARGETS quavelet quavelet-register RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

# The installation folder: the program refuses to start when it is missing.
install(FILES "${PROJECT_SOURCE_DIR}/assets/quavelet.html" DESTINATION "${QUAVELET_DATA_SUBDIR}")

set(QUAVELET_DESKTOP_FILE "${PROJECT_SOURCE_DIR}/assets/quavelet.desktop")
set(QUAVELET_METAINFO_FILE "${PROJECT_SOURCE_DIR}/assets/quavelet.metainfo.xml")
install(FILES "${QUAVELET_DESKTOP_FILE}" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
# AppStream wants the file named after the component id.
install(FILES "${QUAVELET_METAINFO_FILE}" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo"
  RENAME org.quavelet.Quavelet.metainfo.xml)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/assets/icons/hicolor" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons"
  FILES_MATCHING PATTERN "quavelet.png")

if(QUAVELET_TESTS)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
  find_program(APPSTREAMCLI appstreamcli REQUIRED)
  add_test(NAME desktopentry COMMAND "${DESKTOP_FILE_VALIDATE}" "${QUAVELET_DESKTOP_FILE}")
  add_test(NAME metainfo COMMAND "${APPSTREAMCLI}" validate --no-net "${QUAVELET_METAINFO_FILE}")
  # Installs into a scratch prefix and registers it as `make run` does.
  add_test(NAME install
    COMMAND "${PROJECT_SOURCE_DIR}/scripts/check-install" "${CMAKE_COMMAND}" "${PROJECT_BINARY_DIR}")
  set_tests_properties(install PROPERTIES TIMEOUT 300)
endif()

# --- Debian package ------------------------------------------------------
set(CPACK_PACKAGE_NAME "quavelet")
set(CPACK_PACKAGE_VENDOR "Oblimo Software")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flash-card quiz for learning to read musical notes")
set(CPACK_PACKAGE_DESCRIPTION
  "Quavelet draws one note at a time on a treble staff, a bass staff or both,
and the player names it with a letter button, a typed letter, a drawn piano
keyboard or a guitar fingerboard. Twenty notes make a quiz, against the clock,
and twelve levels widen the range of notes.
.
Each user records the installation once with quavelet-register.")
set(CPACK_PACKAGE_CONTACT "Oblimo Software <packages@quavelet.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quavelet.org/")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Oblimo Software <packages@quavelet.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
