# Desktop integration of Tourvane32: a menu entry, the MIME type of .hcp
# graph files (opened through the entry's --open), and the program's icon.
set(TOURVANE_INSTALL_DIR ${CMAKE_CURRENT_LIST_DIR}/install)
install(FILES ${TOURVANE_INSTALL_DIR}/tourvane32.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TOURVANE_INSTALL_DIR}/tourvane32-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME tourvane32.xml)
install(FILES ${TOURVANE_INSTALL_DIR}/tourvane32.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
