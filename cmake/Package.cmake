# `cpack -G DEB` in the build folder makes the Debian package of what `cmake --install`
# puts in place. Its dependencies are the run-time libraries the programs link, as
# dpkg-shlibdeps finds them (the web engine's library brings its helper process along), and
# Qt's platform plugins, which the windows load at run time.
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR "Marrowfen")
set(CPACK_PACKAGE_CONTACT "Quillmere developers <quillmere@quillmere.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare two spreadsheet workbooks")
# One string: pieces given apart would be joined by semicolons into the control file.
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmere compares two spreadsheet workbooks (xlsx, xlsm, xltx, xltm,
xlsb, xls, ods and csv files) whole, sheet by sheet and cell by cell, or
one area of each as a range or as a keyed table, and shows the
differences as a list and as a marked grid.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quillmere.example/quillmere/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
if(QUILLMERE_WITH_UI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
# Opening a workbook or the web page from the window and the documents goes through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

# The copyright and the changelog where Debian keeps them, the changelog compressed as a
# native package's is.
set(QUILLMERE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillmere)
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the changelog")
add_custom_target(quillmere_changelog ALL DEPENDS ${changelog})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${changelog}
  DESTINATION ${QUILLMERE_DOC_DIR})
include(CPack)
