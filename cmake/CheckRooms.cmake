# Fails when a file of the library includes a header from a room above its own. Run as a script
# (cmake -DSOURCE_DIR=... -DSTAMP=... -P CheckRooms.cmake) by the check_rooms build step, so a
# wrong include is a build error.
#
# The platform rooms, lowest first: a room includes only itself and the rooms before it. The
# toolkit layers above them may use each other (never in a cycle) and every platform room.
set(PLATFORM_ROOMS
  platform/values platform/text platform/threads platform/files platform/time platform/network
  platform/location platform/contacts platform/media
  platform/ui/geometry platform/ui/application platform/ui/text platform/ui/drawing
  platform/ui/layers platform/ui/layout platform/ui/views platform/ui/input platform/ui/containers
  platform/ui/media platform/ui/window)
set(TOOLKIT_LAYERS core json extensions location components media contacts)

# The rank of a folder below include/orvane/ or src/, or -1 when it is no room.
function(room_rank folder out)
  list(FIND PLATFORM_ROOMS "${folder}" rank)
  if(rank EQUAL -1)
    list(FIND TOOLKIT_LAYERS "${folder}" toolkit)
    if(NOT toolkit EQUAL -1)
      list(LENGTH PLATFORM_ROOMS rank)
    endif()
  endif()
  set(${out} ${rank} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/include/orvane/*.h"
     "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
set(faults "")
foreach(file IN LISTS files)
  string(REGEX REPLACE "^(include/orvane|src)/" "" inside "${file}")
  get_filename_component(folder "${inside}" DIRECTORY)
  room_rank("${folder}" own)
  if(own EQUAL -1)
    string(APPEND faults "  ${file}: not in a room\n")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"(orvane/)?([^\"]*)\".*" "\\2" header "${line}")
    get_filename_component(target "${header}" DIRECTORY)
    room_rank("${target}" rank)
    if(rank GREATER own)
      string(APPEND faults "  ${file} includes ${header}, a higher room\n")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Includes across rooms the wrong way:\n${faults}")
endif()
file(TOUCH "${STAMP}")
