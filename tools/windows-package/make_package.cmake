# cmake -DPROGRAM=<vantrel.exe> -DSTRIP=<strip tool> -DDOCS=<docs folder>
#       -DINPUT_FILES=<list> -DREADME=<text> -DSTAGE=<scratch folder>
#       -DZIP=<zip> -P make_package.cmake
# Lays out the folder Vantrel in STAGE and writes it into ZIP. The program
# goes without its debug information, which users have no use for; the
# user's text gets Windows line ends, so that every editor shows its lines.
foreach(variable IN ITEMS PROGRAM STRIP DOCS INPUT_FILES README STAGE ZIP)
  if(NOT ${variable})
    message(FATAL_ERROR "make_package.cmake needs -D${variable}")
  endif()
endforeach()

set(folder ${STAGE}/Vantrel)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${folder}/input)
file(COPY ${PROGRAM} DESTINATION ${folder})
get_filename_component(program_name ${PROGRAM} NAME)
execute_process(COMMAND ${STRIP} --strip-debug ${folder}/${program_name} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Could not strip ${folder}/${program_name}")
endif()
file(COPY ${DOCS} DESTINATION ${folder})
file(COPY ${INPUT_FILES} DESTINATION ${folder}/input)
file(READ ${README} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${folder}/Read me.txt" "${text}")

file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip Vantrel
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
  file(REMOVE ${ZIP})
  message(FATAL_ERROR "Could not write ${ZIP}")
endif()
