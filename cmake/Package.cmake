# A Debian package of the installed tree: cpack -G DEB (run in the build directory).
# Library dependencies come from the binary (dpkg-shlibdeps); the CJK fonts behind the window's
# 黑体 and 宋体 are added by name.
set(VISION_DESK_MAINTAINER "The vision-desk developers <vision-desk@example.org>" CACHE STRING
    "Maintainer named by the Debian package")

set(CPACK_PACKAGE_NAME vision-desk)
set(CPACK_PACKAGE_VENDOR "The vision-desk developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare face photos and recognise text or licence plates")
set(CPACK_PACKAGE_DESCRIPTION
    "A small desktop tool with one window and two pages that sends pictures\n"
    "to a cloud vision service over HTTPS and shows what it answers: the\n"
    "similarity of two face photos, or the text lines or the licence plate\n"
    "recognised in one picture.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY vision-desk)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VISION_DESK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VISION_DESK_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei, fonts-arphic-uming")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
