# cmake -DSOURCE=folder -DDESTINATION=folder [-DSOX=program] -DSTAMP=file -P qvWebData.cmake
# Stages a data folder for a page: every file is copied, but a .wav sound is
# compressed into an .mp3 of the same name, which every current browser
# decodes (the page's sound loader takes it in the .wav's place), with its
# length in samples and its sample rate beside it in NAME.mp3.samples: decoders put silence
# before and after an MP3's sound, which the page skips. STAMP is
# touched when anything changed, so the page's data is packed again.
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
set(changed FALSE)
foreach(name ${files})
    set(from ${SOURCE}/${name})
    if(SOX AND name MATCHES "\\.[wW][aA][vV]$")
        string(REGEX REPLACE "\\.[wW][aA][vV]$" ".mp3" target ${name})
        set(to ${DESTINATION}/${target})
        if(NOT EXISTS ${to}.samples OR ${from} IS_NEWER_THAN ${to}.samples)
            get_filename_component(folder ${to} DIRECTORY)
            file(MAKE_DIRECTORY ${folder})
            # 64 kbit/s: the game's sounds are mono and synthesised.
            execute_process(COMMAND ${SOX} ${from} -C 64 ${to} RESULT_VARIABLE failed)
            execute_process(COMMAND ${SOX} --i -s ${from} OUTPUT_VARIABLE samples
                            OUTPUT_STRIP_TRAILING_WHITESPACE)
            execute_process(COMMAND ${SOX} --i -r ${from} OUTPUT_VARIABLE rate
                            OUTPUT_STRIP_TRAILING_WHITESPACE)
            file(WRITE ${to}.samples "${samples} ${rate}\n")
            if(failed OR NOT "${samples} ${rate}" MATCHES "^[0-9]+ [0-9]+$")
                message(FATAL_ERROR "${SOX} could not compress ${from} (is libsox-fmt-mp3 installed?)")
            endif()
            set(changed TRUE)
        endif()
    else()
        set(to ${DESTINATION}/${name})
        set(old "")
        if(EXISTS ${to})
            file(SHA256 ${to} old)
        endif()
        file(SHA256 ${from} new)
        if(NOT old STREQUAL new)
            get_filename_component(folder ${to} DIRECTORY)
            file(COPY ${from} DESTINATION ${folder})
            set(changed TRUE)
        endif()
    endif()
endforeach()
if(changed OR NOT EXISTS ${STAMP})
    file(TOUCH ${STAMP})
endif()
