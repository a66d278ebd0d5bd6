# Installing the program and building its Debian package:
#   cmake --install build --prefix /usr
#   cmake --build build --target package      (build/qinghefang-browser_<version>_amd64.deb)
include(GNUInstallDirs)

if(TARGET qinghefang-browser)
  install(TARGETS qinghefang-browser RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/qinghefang-browser.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  if(size EQUAL 48)
    set(icon ${PROJECT_SOURCE_DIR}/resources/art/app-icon.png)
  else()
    set(icon ${PROJECT_SOURCE_DIR}/resources/art/app-icon-${size}.png)
  endif()
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME qinghefang-browser.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/art/app-icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME qinghefang-browser.svg)
if(EXISTS ${PROJECT_SOURCE_DIR}/resources/fonts.conf)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/fonts.conf
          DESTINATION ${CMAKE_INSTALL_DATADIR}/qinghefang-browser)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qinghefang-browser)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "青禾坊教育社区")
set(CPACK_PACKAGE_CONTACT "青禾坊教育社区 <webmaster@qinghefang.cn>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "青禾坊教育社区专用浏览器 - the community's dedicated web browser")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, fonts-dejavu-core, bubblewrap")
include(CPack)
