# The two full-Moon pictures (resources/tools/make_moon.py draws them), looked
# up as ":/moon/MOON_LARGE" and ":/moon/MOON_SMALL".
set(moon_picture_dir ${CMAKE_SOURCE_DIR}/resources/moon)
set_source_files_properties(${moon_picture_dir}/moon_large.png PROPERTIES QT_RESOURCE_ALIAS MOON_LARGE)
set_source_files_properties(${moon_picture_dir}/moon_small.png PROPERTIES QT_RESOURCE_ALIAS MOON_SMALL)
qt_add_resources(${QM_TARGET} qm_moon_pictures
  PREFIX /moon
  FILES ${moon_picture_dir}/moon_large.png ${moon_picture_dir}/moon_small.png)
