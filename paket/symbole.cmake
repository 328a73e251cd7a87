# SPDX-License-Identifier: GPL-3.0-or-later
# The pictures of a Qt resource file. Where Qt Svg is, the SVGs are embedded
# as they are. The Windows build has no Qt Svg: each SVG is drawn to a PNG at
# build time by icon_rendern of a host build, and the PNG is embedded under
# the SVG's name. The names carry no suffix, so the code asks for the same
# name everywhere and Qt takes the format from the content.
if(WIN32)
    set(ZIFFERON_ICON_RENDERN "" CACHE FILEPATH "icon_rendern of a host build")
    if(NOT EXISTS "${ZIFFERON_ICON_RENDERN}")
        message(FATAL_ERROR "ZIFFERON_ICON_RENDERN nennt kein icon_rendern eines Linux-Baus")
    endif()
    set(zifferon_zeichner ${ZIFFERON_ICON_RENDERN})
else()
    set(zifferon_zeichner $<TARGET_FILE:icon_rendern>)
endif()

# Draws an SVG to a PNG of the given size or, for a name ending in .ico, to a
# Windows icon file of every usual size up to the given one.
function(zifferon_symbol_zeichnen svg groesse ziel)
    get_filename_component(ordner ${ziel} DIRECTORY)
    add_custom_command(OUTPUT ${ziel}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ordner}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                ${zifferon_zeichner} ${svg} ${groesse} ${ziel}
        DEPENDS ${svg} $<$<NOT:$<BOOL:${WIN32}>>:icon_rendern>
        VERBATIM)
endfunction()

function(zifferon_bilder ziel qrc)
    if(NOT WIN32)
        target_sources(${ziel} PRIVATE ${qrc})
        set_target_properties(${ziel} PROPERTIES AUTORCC ON)
        return()
    endif()
    get_filename_component(name ${qrc} NAME_WE)
    get_filename_component(ordner ${qrc} DIRECTORY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${qrc})
    file(READ ${qrc} inhalt)
    string(REGEX MATCH "prefix=\"([^\"]*)\"" _ "${inhalt}")
    set(praefix ${CMAKE_MATCH_1})
    string(REGEX MATCHALL "<file alias=\"[^\"]*\">[^<]*</file>" eintraege "${inhalt}")
    set(bilder)
    foreach(eintrag IN LISTS eintraege)
        string(REGEX MATCH "alias=\"([^\"]*)\">([^<]*)<" _ "${eintrag}")
        set(png ${CMAKE_CURRENT_BINARY_DIR}/bilder/${name}/${CMAKE_MATCH_1}.png)
        # Twice the largest size the windows show, for screens scaled to 200 %.
        zifferon_symbol_zeichnen(${ordner}/${CMAKE_MATCH_2} 64 ${png})
        set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS ${CMAKE_MATCH_1})
        list(APPEND bilder ${png})
    endforeach()
    # The resource keeps the file's name, so Q_INIT_RESOURCE finds it.
    qt_add_resources(${ziel} ${name} PREFIX ${praefix} FILES ${bilder})
endfunction()
