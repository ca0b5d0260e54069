# The Debian package: cpack -G DEB in the build directory (or cmake --build <dir> --target package).
# Only the Runtime component goes in, so nothing a test or benchmark might install can reach it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellum-mp3)
set(CPACK_PACKAGE_VENDOR "Brindle Software")
set(CPACK_PACKAGE_CONTACT "Brindle Software <vellum-mp3@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "MP3 tag editor: ID3v1 and ID3v2 tags, renaming files from their tags")
# Lines of the long description stay within 80 columns, as dpkg shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Vellum MP3 gathers MP3 files into a list that shows for each file whether it"
  "carries an ID3v1 and an ID3v2 tag, its title, bitrate, size and playing time."
  "The two tags of a file are edited side by side, saved, deleted or copied from"
  "one version to the other, and a field is applied to every selected file."
  ""
  "Files are renamed from their tags by macro schemes such as $ARTIST-$TITLE,"
  "tags are filled from file names by the same schemes, character filters clean"
  "the text in each direction, and renames can be undone.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};Runtime;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/vellum-mp3")
# The shared libraries come from dpkg-shlibdeps; Qt cannot open a window without its platform plugins,
# which no library names, and files and addresses are opened through xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
