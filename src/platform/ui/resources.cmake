# The program's icons (hand-written SVG in resources/icons), looked up as
# ":/icons/<file name>". Compiled into the platform's window library so that
# every program and test that links it has them.
file(GLOB icon_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/icons/*.svg)
if(icon_files)
  qt_add_resources(${QM_TARGET} qm_icons
    PREFIX /icons
    BASE ${CMAKE_SOURCE_DIR}/resources/icons
    FILES ${icon_files})
endif()
