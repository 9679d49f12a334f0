# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures rendered from the drawings at build time, so the game need not draw them
# while the player waits for the title: the title picture at the usual device pixel
# ratios (1 and 2; look::picture draws any other ratio from the SVG), and the icon's
# bitmaps, which the icon theme installs and the windows use.

# svgrender is the tool that draws them (tools/CMakeLists.txt).
set(ZNDL_RENDERED_DIR ${PROJECT_BINARY_DIR}/rendered)

# zndl_render(SVG PNG WIDTH HEIGHT) adds a command that renders SVG into PNG.
function(zndl_render svg png width height)
  get_filename_component(dir ${png} DIRECTORY)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:svgrender> ${svg} ${png} ${width} ${height}
    DEPENDS svgrender ${svg}
    COMMENT "Rendering ${png}")
endfunction()

# The two smallest icon sizes have drawings of their own, tuned to read at that size.
set(ZNDL_ICON_PNGS)
foreach(size 16 32 48 128)
  if(size EQUAL 16 OR size EQUAL 32)
    set(source ${PROJECT_SOURCE_DIR}/assets/art/icon${size}.svg)
  else()
    set(source ${PROJECT_SOURCE_DIR}/assets/art/icon.svg)
  endif()
  set(png ${ZNDL_RENDERED_DIR}/icons/${size}/zandoodle.png)
  zndl_render(${source} ${png} ${size} ${size})
  list(APPEND ZNDL_ICON_PNGS ${png})
endforeach()

# The first picture the player sees, as bare pixels the program carries as they are
# (look::drawnAhead): the first paint copies them to the screen, with nothing to decode.
# An assembler file takes them into the program whole, aligned for QImage.
enable_language(ASM)
set(ZNDL_PICTURE_PIXELS)
set(pixel_symbols "")
foreach(ratio 1 2)
  math(EXPR width "640 * ${ratio}")
  math(EXPR height "480 * ${ratio}")
  set(pixels ${ZNDL_RENDERED_DIR}/art/title-640x480@${ratio}.rgb32)
  zndl_render(${PROJECT_SOURCE_DIR}/assets/art/title.svg ${pixels} ${width} ${height})
  list(APPEND ZNDL_PICTURE_PIXELS ${pixels})
  # The path as an assembler string: backslashes and quotes escaped.
  string(REPLACE "\\" "\\\\" quoted "${pixels}")
  string(REPLACE "\"" "\\\"" quoted "${quoted}")
  string(APPEND pixel_symbols
         "  .balign 64\n  .globl zndl_title_${ratio}x\n  .hidden zndl_title_${ratio}x\n"
         "zndl_title_${ratio}x:\n  .incbin \"${quoted}\"\n"
         "  .globl zndl_title_${ratio}x_end\n  .hidden zndl_title_${ratio}x_end\n"
         "zndl_title_${ratio}x_end:\n")
endforeach()
# Written as it stands (the file names hold "@", which file(CONFIGURE) would expand), and
# copied only when it changed, so a new configure run does not rebuild it.
set(ZNDL_PICTURE_ASM ${ZNDL_RENDERED_DIR}/drawn_ahead.s)
file(WRITE ${ZNDL_PICTURE_ASM}.new
     "  .section .rodata\n${pixel_symbols}  .section .note.GNU-stack,\"\",%progbits\n")
configure_file(${ZNDL_PICTURE_ASM}.new ${ZNDL_PICTURE_ASM} COPYONLY)
set_source_files_properties(${ZNDL_PICTURE_ASM} PROPERTIES OBJECT_DEPENDS "${ZNDL_PICTURE_PIXELS}")
target_sources(zndl_ui PRIVATE ${ZNDL_PICTURE_ASM})

# PNG is compressed already; rcc's own compression would only cost time at start.
qt_add_resources(zndl_ui "zndl_rendered" PREFIX "/rendered" BASE ${ZNDL_RENDERED_DIR}
                 OPTIONS -no-compress FILES ${ZNDL_ICON_PNGS})
