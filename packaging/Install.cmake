# Installation and the Debian package.  The program finds its "nad" data
# directory beside its real path, so both live in one private directory and
# bin/ only holds a link to the program.
set(ZELV_PRIVATE_DIR lib/zelv-derarar)

install(TARGETS ZELV_Derarar RUNTIME DESTINATION ${ZELV_PRIVATE_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/nad/ DESTINATION ${ZELV_PRIVATE_DIR}/nad)
install(FILES ${ZELV_BETA2007_GRID} DESTINATION ${ZELV_PRIVATE_DIR}/nad)

file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
file(CREATE_LINK ../${ZELV_PRIVATE_DIR}/ZELV_Derarar
  ${PROJECT_BINARY_DIR}/packaging/zelv-derarar SYMBOLIC)
install(FILES ${PROJECT_BINARY_DIR}/packaging/zelv-derarar DESTINATION bin)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/zelv-derarar.desktop DESTINATION share/applications)
# Software centres list the program from its AppStream metadata.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.example.zelv_derarar.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/zelv-derarar-48.png
  DESTINATION share/icons/hicolor/48x48/apps RENAME zelv-derarar.png)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/zelv-derarar-256.png
  DESTINATION share/icons/hicolor/256x256/apps RENAME zelv-derarar.png)

# Debian wants the copyright and a compressed changelog in the doc directory.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${GZIP_EXECUTABLE} -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/zelv-derarar.1.gz
  COMMAND ${GZIP_EXECUTABLE} -9nc ${PROJECT_SOURCE_DIR}/packaging/zelv-derarar.1 > ${PROJECT_BINARY_DIR}/packaging/zelv-derarar.1.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/zelv-derarar.1)
# The German man page beside the English one, where man finds it for a German locale.
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging/de)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/de/zelv-derarar.1.gz
  COMMAND ${GZIP_EXECUTABLE} -9nc ${PROJECT_SOURCE_DIR}/packaging/de/zelv-derarar.1 > ${PROJECT_BINARY_DIR}/packaging/de/zelv-derarar.1.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/de/zelv-derarar.1)
add_custom_target(zelv_package_docs ALL DEPENDS
  ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${PROJECT_BINARY_DIR}/packaging/zelv-derarar.1.gz
  ${PROJECT_BINARY_DIR}/packaging/de/zelv-derarar.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/zelv-derarar.1.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_BINARY_DIR}/packaging/de/zelv-derarar.1.gz DESTINATION share/man/de/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DESTINATION share/doc/zelv-derarar)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelv-derarar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ZELV-Derarar developers <zelv-derarar@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for geographic coordinates (German interface)")
set(CPACK_PACKAGE_DESCRIPTION
  "ZELV-Derarar converts a position between decimal degrees, degrees/minutes/
seconds, UTM (GRS80) and Transverse Mercator (Bessel), reads coordinate pairs
from the clipboard and builds the location statement of a ZELV gazetteer
record.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, so shlibdeps cannot see them;
# the translations give Qt's own texts in German.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
