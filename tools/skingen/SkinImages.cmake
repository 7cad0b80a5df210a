# orvane_skins(<target> TABLE <skins.txt> NAME <name>)
# Runs the skin generator over the table at build time and compiles the images it draws into
# <target> as resources res/<type>/<id>.png, the paths the program's resource lookup reads. The
# table's first two fields name each output, so CMake knows every file before it is drawn.
function(orvane_skins target)
    cmake_parse_arguments(ARG "" "TABLE;NAME" "" ${ARGN})
    set(outdir ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARG_TABLE})
    file(STRINGS ${ARG_TABLE} lines ENCODING UTF-8 REGEX "^[ \t]*[A-Za-z]")
    set(outputs)
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "^[ \t]*([A-Za-z]+)[ \t]+([0-9]+)")
            message(FATAL_ERROR "${ARG_TABLE}: cannot read the type and id of: ${line}")
        endif()
        string(TOLOWER "${CMAKE_MATCH_1}" type)
        set(id ${CMAKE_MATCH_2})
        set(out ${outdir}/${type}/${id}.png)
        if(out IN_LIST outputs)
            message(FATAL_ERROR "${ARG_TABLE}: ${type} ${id} appears twice")
        endif()
        file(GLOB hand_made ${PROJECT_SOURCE_DIR}/res/${type}/${id}.*)
        if(hand_made)
            message(FATAL_ERROR "${ARG_TABLE}: ${type} ${id} is also a file in res/${type}")
        endif()
        list(APPEND outputs ${out})
    endforeach()
    add_custom_command(
        OUTPUT ${outputs}
        COMMAND skingen ${ARG_TABLE} ${outdir}
        DEPENDS skingen ${ARG_TABLE}
        COMMENT "Drawing skin images of ${ARG_TABLE}"
        VERBATIM)
    qt_add_resources(${target} ${ARG_NAME}
        PREFIX "/res"
        BASE ${outdir}
        FILES ${outputs})
endfunction()
