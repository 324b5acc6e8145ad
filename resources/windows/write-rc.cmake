# Writes a resource script with one PNG resource per file of the skin
# manifest, named by the file name in upper case (resource names are matched
# without regard to case). Each entry gets its own LANGUAGE line: windres
# would otherwise join the file name string with the next entry's quoted name.
#   cmake -DMANIFEST=skin/manifest.txt -DOUTPUT=skin.rc -P write-rc.cmake
file(STRINGS ${MANIFEST} names)
get_filename_component(dir ${MANIFEST} DIRECTORY)
set(text "// Generated from ${MANIFEST}. Do not edit.\n")
foreach(name IN LISTS names)
  if(name STREQUAL "")
    continue()
  endif()
  string(TOUPPER ${name} resource)
  string(APPEND text "LANGUAGE 0, 0\n\"${resource}\" PNG \"${dir}/${name}\"\n")
endforeach()
file(WRITE ${OUTPUT}.tmp "${text}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
