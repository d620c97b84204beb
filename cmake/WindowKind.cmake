# SPDX-License-Identifier: GPL-3.0-or-later
# A window kind's folder holds two libraries: its logic (session, description, tokenizer,
# layout: Qt Core, the content layer and the platform core only, so the course checker and the
# fuzz targets link it without Qt Widgets) and its window (everything else of the folder).
# The logic files are named in the folder's LOGIC_NAMES, which scripts/check-layering reads too.
function(lentora_window_kind name)
    cmake_parse_arguments(KIND "" "" "LOGIC_NAMES;WINDOW_LIBS" ${ARGN})
    set(logic_sources)
    foreach(logic_name IN LISTS KIND_LOGIC_NAMES)
        foreach(extension cpp h)
            if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${logic_name}.${extension})
                list(APPEND logic_sources ${CMAKE_CURRENT_SOURCE_DIR}/${logic_name}.${extension})
            endif()
        endforeach()
    endforeach()
    add_library(${name}_logic STATIC ${logic_sources})
    target_link_libraries(${name}_logic PUBLIC lentora_content lentora_platform_core Qt6::Core)

    file(GLOB window_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(REMOVE_ITEM window_sources ${logic_sources})
    add_library(${name} STATIC ${window_sources})
    target_link_libraries(${name} PUBLIC ${name}_logic lentora_controls lentora_content
                          lentora_platform Qt6::Widgets ${KIND_WINDOW_LIBS})
endfunction()
