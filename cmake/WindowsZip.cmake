# cmake -DROOT=folder -DZIP=file.zip -P WindowsZip.cmake: writes SHA256SUMS.txt for every file
# below ROOT and packs ROOT (the folder itself as the archive's top level) into ZIP.
file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/*)
list(REMOVE_ITEM files SHA256SUMS.txt)
list(SORT files)
set(sums "")
foreach(f ${files})
  file(SHA256 ${ROOT}/${f} sum)
  string(APPEND sums "${sum} *${f}\r\n")
endforeach()
file(WRITE ${ROOT}/SHA256SUMS.txt "${sums}")
get_filename_component(parent ${ROOT} DIRECTORY)
get_filename_component(top ${ROOT} NAME)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${top}
                WORKING_DIRECTORY ${parent} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not write ${ZIP}")
endif()
