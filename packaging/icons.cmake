# The icon is drawn once, in packaging/icons/jinko-pyramid.svg; every PNG
# (the theme's sizes and the window's own 32 px icon) is rendered from it
# with rsvg-convert. Without rsvg-convert the build leaves the PNGs out: the
# window then has no icon of its own and the desktop shows the scalable one.
# The package build asks for them (-DPYRAMID_WITH_ICONS=ON) and so fails
# loudly when rsvg-convert is missing.

set(PYRAMID_ICON_SOURCE ${PROJECT_SOURCE_DIR}/packaging/icons/jinko-pyramid.svg)
find_program(PYRAMID_RSVG_CONVERT rsvg-convert)
if(PYRAMID_RSVG_CONVERT)
  set(icons_by_default ON)
else()
  set(icons_by_default OFF)
endif()
option(PYRAMID_WITH_ICONS "Render the PNG icons from the SVG (needs rsvg-convert)" ${icons_by_default})
if(PYRAMID_WITH_ICONS AND NOT PYRAMID_RSVG_CONVERT)
  message(FATAL_ERROR "PYRAMID_WITH_ICONS needs rsvg-convert (librsvg2-bin)")
elseif(NOT PYRAMID_WITH_ICONS)
  message(STATUS "Icons skipped: no rsvg-convert (librsvg2-bin), the window has no icon of its own")
endif()

# pyramid_render_icon(<size> <png> [CRISP]): a rule that renders the SVG at
# <size> pixels. CRISP turns off anti-aliasing, so the small window icon
# keeps the SVG's few flat colours and no blended edge colours.
function(pyramid_render_icon size png)
  set(style)
  if("CRISP" IN_LIST ARGN)
    set(style --stylesheet=${PROJECT_SOURCE_DIR}/packaging/icons/crisp-edges.css)
  endif()
  get_filename_component(dir ${png} DIRECTORY)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${PYRAMID_RSVG_CONVERT} --width=${size} --height=${size} --format=png ${style}
            --output=${png} ${PYRAMID_ICON_SOURCE}
    DEPENDS ${PYRAMID_ICON_SOURCE} ${PROJECT_SOURCE_DIR}/packaging/icons/crisp-edges.css
    COMMENT "Rendering the ${size}x${size} icon"
    VERBATIM)
endfunction()
