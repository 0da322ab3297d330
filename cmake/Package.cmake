# `cpack -G DEB` in the build folder makes the Debian package of what `cmake --install`
# puts in place. Its dependencies are the run-time libraries the programs link, as
# dpkg-shlibdeps finds them (the web engine's library brings its helper process along), and
# Qt's platform plugins, which the windows load at run time.
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR "Marrowfen")
set(CPACK_PACKAGE_CONTACT "Quillmere developers <quillmere@quillmere.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare two spreadsheet workbooks")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmere compares two spreadsheet workbooks (.xlsx, .xlsm, .xltx, .xltm, .xlsb, .xls,\n"
    ".ods, .csv) whole, sheet by sheet and cell by cell, or one area of each as a range or\n"
    "as a keyed table, and shows the differences as a list and as a marked grid.")
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
include(CPack)
