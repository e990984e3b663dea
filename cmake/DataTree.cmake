# The program finds its skin, factory data, fonts and languages in <bin>/../share/vantiro-r88.
# In the build tree that folder links back to the sources, so a build runs as installed.
set(R88_DATA_SUBDIR share/vantiro-r88)
set(R88_STAGED_DATA ${CMAKE_BINARY_DIR}/${R88_DATA_SUBDIR})

function(r88_stage_data_tree)
  file(MAKE_DIRECTORY ${R88_STAGED_DATA})
  foreach(pair "skin=skin" "DefaultData=data/DefaultData" "Font=data/Font" "SDK=data/SDK")
    string(REPLACE "=" ";" parts ${pair})
    list(GET parts 0 link)
    list(GET parts 1 target)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${target} AND NOT EXISTS ${R88_STAGED_DATA}/${link})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${target} ${R88_STAGED_DATA}/${link} SYMBOLIC)
    endif()
  endforeach()
  install(DIRECTORY skin data/DefaultData data/Font DESTINATION ${R88_DATA_SUBDIR})
  install(FILES data/udev/70-vantiro-r88.rules DESTINATION lib/udev/rules.d)
endfunction()
