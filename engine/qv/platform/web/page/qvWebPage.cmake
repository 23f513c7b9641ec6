# qv_web_page(TARGET TITLE text [FONT file] [SITE_DIR dir] [LOG file] [DATA folder...])
# Turns an emscripten build of a qv game into a page: the folders the game
# reads are packed into TARGET.data, and TARGET.js, .wasm, .data, the page
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
    foreach(folder ${PAGE_DATA})
        get_filename_component(name ${folder} NAME)
        target_link_options(${target} PRIVATE "SHELL:--preload-file ${folder}@/${name}")
        # Changed sprites or sounds repack the data.
        file(GLOB_RECURSE data_files CONFIGURE_DEPENDS ${folder}/*)
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${data_files})
    endforeach()
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
