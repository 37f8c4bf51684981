# CPack: a .deb of the native build (its dependencies found by dpkg-shlibdeps
# from the libraries the programs link) and a .zip of the Windows build.
# Installing does not build everything first: scripts/package builds the
# target `quillfen_installed`.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_PACKAGE_NAME quillfen)
set(CPACK_PACKAGE_VENDOR "Quillfen developers")
set(CPACK_PACKAGE_CONTACT "Quillfen developers <quillfen@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Quillfen turns the 3DS files of one model, one file per level of detail,
into a finished shape for the train simulator MSTS or Open Rails: it runs the
converter, writes the sd-file, fixes texture names, gathers the textures and
computes a bounding box. The package holds the window, the headless
quillfen-cli and a stand-in converter.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${QUILLFEN_HOMEPAGE}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "quillfen-${PROJECT_VERSION}-windows-x86_64")
else()
  set(CPACK_GENERATOR DEB)
endif()
include(CPack)
