# The Debian package (cpack -G DEB, see scripts/package.sh). Library
# dependencies are computed by dpkg-shlibdeps from the installed programs.
set(CPACK_PACKAGE_NAME tagmora)
set(CPACK_PACKAGE_VENDOR "Tavix Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "barcode label designer")
set(CPACK_PACKAGE_DESCRIPTION
    "Tagmora lays out labels from texts, barcodes, pictures and shapes and prints\n\
sheets of them, as copies or one label per datasheet row. It makes 25 barcode\n\
symbologies itself and imports datasheets from delimited text, spreadsheets and\n\
Access databases. tagmora-cli prints and converts label files without a\n\
desktop.")
set(CPACK_PACKAGE_CONTACT "Tavix Software <${TAGMORA_SUPPORT_MAIL}>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TAGMORA_HOME_PAGE}")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Fonts the label texts and the metafile pictures are drawn with, the label
# products, and Qt's SQL drivers, which are plugins the library dependencies
# do not name: SQLite holds the print history by default, PostgreSQL one
# shared by several stations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-urw-base35, glabels-data, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-client, qt6-qpa-plugins, libqt6sql6-psql")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
