# Installation by the conventions of Linux desktops: the program in bin/, its desktop entry,
# icons (scalable SVG and PNG sizes made from it at build time) and AppStream metainfo under share/.
include(GNUInstallDirs)

set(VISION_DESK_APP_ID io.github.visiondesk.VisionDesk)
set(VISION_DESK_HOMEPAGE "https://visiondesk.github.io/" CACHE STRING "Home page named by the metainfo and the package")
set(VISION_DESK_SCREENSHOT_URL "https://visiondesk.github.io/screenshot.png" CACHE STRING
    "Where docs/screenshot.png is published; the metainfo names it as the program's screenshot")
set(VISION_DESK_ICON_SIZES 16 24 32 48 64 128 256)

# Directories made by the installation get the usual rwxr-xr-x whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(WARNING "rsvg-convert not found (Debian package librsvg2-bin): only the scalable icon is installed")
endif()
find_program(GZIP gzip REQUIRED)

set(vd_data_dir ${PROJECT_SOURCE_DIR}/data)
set(vd_data_out ${PROJECT_BINARY_DIR}/data)
set(vd_icon_svg ${vd_data_dir}/icons/${VISION_DESK_APP_ID}.svg)

set(vd_icon_pngs)
if(RSVG_CONVERT)
  foreach(size IN LISTS VISION_DESK_ICON_SIZES)
    set(png ${vd_data_out}/icons/${size}x${size}/${VISION_DESK_APP_ID}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${vd_data_out}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${vd_icon_svg}
      DEPENDS ${vd_icon_svg}
      COMMENT "Drawing the ${size}x${size} icon")
    list(APPEND vd_icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

# Manual page and changelog, compressed without a time stamp so that rebuilds give the same bytes.
set(vd_man_gz ${vd_data_out}/vision-desk.1.gz)
set(vd_changelog_gz ${vd_data_out}/changelog.gz)
add_custom_command(
  OUTPUT ${vd_man_gz}
  COMMAND ${GZIP} -9nc ${vd_data_dir}/vision-desk.1 > ${vd_man_gz}
  DEPENDS ${vd_data_dir}/vision-desk.1
  COMMENT "Compressing the manual page")
add_custom_command(
  OUTPUT ${vd_changelog_gz}
  COMMAND ${GZIP} -9nc ${vd_data_dir}/changelog > ${vd_changelog_gz}
  DEPENDS ${vd_data_dir}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(vd_install_data ALL DEPENDS ${vd_icon_pngs} ${vd_man_gz} ${vd_changelog_gz})

configure_file(${vd_data_dir}/${VISION_DESK_APP_ID}.metainfo.xml.in
               ${vd_data_out}/${VISION_DESK_APP_ID}.metainfo.xml @ONLY)

install(TARGETS vision-desk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${vd_data_dir}/${VISION_DESK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${vd_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${vd_data_out}/${VISION_DESK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${vd_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${vd_changelog_gz} ${vd_data_dir}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vision-desk)
