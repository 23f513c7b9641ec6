# qv_web_page(TARGET TITLE text [FONT file] [SITE_DIR dir] [LOG file] [DATA folder...])
# Turns an emscripten build of a qv game into a page: the folders the game
# reads are packed into TARGET.data (with each .wav sound compressed into an
# MP3 by sox where sox can write MP3), and TARGET.js, .wasm, .data, the page
# (index.html, qv-page.js) and the font (as qv-font.ttf) are copied into
# SITE_DIR by the target TARGET_page, part of every build. The page shows
# the log (LOG, by default quorvel.log) in the browser's console. Against
# the installed package FONT defaults to its font, SITE_DIR to site/ in the
# build folder and DATA to the folders given to qv_game_data().
set(QV_WEB_PAGE_DIR ${CMAKE_CURRENT_LIST_DIR})

function(qv_web_page target)
    cmake_parse_arguments(PAGE "" "TITLE;FONT;SITE_DIR;LOG" "DATA" ${ARGN})
    if(NOT PAGE_FONT)
        set(PAGE_FONT ${QV_FONT_FILE})
    endif()
    if(NOT PAGE_SITE_DIR)
        set(PAGE_SITE_DIR ${CMAKE_CURRENT_BINARY_DIR}/site)
    endif()
    if(NOT PAGE_DATA)
        get_property(PAGE_DATA TARGET ${target} PROPERTY QV_GAME_DATA)
    endif()
    set_target_properties(${target} PROPERTIES SUFFIX ".js")
    # The folders are staged at build time, since a build may make their
    # files (as Quorvel's sounds are): TARGET_page_data stages them before TARGET
    # links, and a change repacks the data.
    find_program(QV_SOX sox)
    set(sox)
    if(QV_SOX)
        execute_process(COMMAND ${QV_SOX} -h OUTPUT_VARIABLE sox_help ERROR_QUIET)
        if(sox_help MATCHES "FORMATS:[^\n]* mp3")
            set(sox -DSOX=${QV_SOX})
        endif()
    endif()
    if(PAGE_DATA AND NOT sox)
        message(WARNING "No sox that writes MP3 (install sox and libsox-fmt-mp3): the page's sounds stay WAV")
    endif()
    set(staged ${CMAKE_CURRENT_BINARY_DIR}/${target}-data)
    set(stamps)
    foreach(folder ${PAGE_DATA})
        get_filename_component(name ${folder} NAME)
        set(stamp ${staged}/${name}.stamp)
        # Made now, so the first build finds the file its link depends on.
        file(MAKE_DIRECTORY ${staged}/${name})
        file(TOUCH ${stamp})
        list(APPEND stamps COMMAND ${CMAKE_COMMAND} -DSOURCE=${folder} -DDESTINATION=${staged}/${name}
             ${sox} -DSTAMP=${stamp} -P ${QV_WEB_PAGE_DIR}/qvWebData.cmake)
        target_link_options(${target} PRIVATE "SHELL:--preload-file ${staged}/${name}@/${name}")
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${stamp})
    endforeach()
    if(PAGE_DATA)
        add_custom_target(${target}_page_data ${stamps} VERBATIM)
        add_dependencies(${target} ${target}_page_data)
        # emcc leaves an unchanged .js as it was, older than the data it
        # was linked again for, which would link it again on every build.
        add_custom_command(TARGET ${target} POST_BUILD COMMAND ${CMAKE_COMMAND} -E touch
                           $<TARGET_FILE:${target}> VERBATIM)
    endif()
    set(QV_PAGE_TITLE ${PAGE_TITLE})
    set(QV_PAGE_PROGRAM ${target})
    set(QV_PAGE_LOG quorvel.log)
    if(PAGE_LOG)
        set(QV_PAGE_LOG ${PAGE_LOG})
    endif()
    set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}-page)
    configure_file(${QV_WEB_PAGE_DIR}/index.html.in ${page}/index.html @ONLY)
    set(built $<TARGET_FILE_DIR:${target}>/${target})
    set(data)
    if(PAGE_DATA)
        set(data ${built}.data)
    endif()
    # Copied on every build, so a change to the page alone reaches the site.
    add_custom_target(${target}_page ALL
                      COMMAND ${CMAKE_COMMAND} -E make_directory ${PAGE_SITE_DIR}
                      COMMAND ${CMAKE_COMMAND} -E copy ${built}.js ${built}.wasm ${data}
                              ${page}/index.html ${QV_WEB_PAGE_DIR}/qv-page.js ${PAGE_SITE_DIR}
                      COMMAND ${CMAKE_COMMAND} -E copy ${PAGE_FONT} ${PAGE_SITE_DIR}/qv-font.ttf
                      DEPENDS ${target} VERBATIM)
endfunction()
