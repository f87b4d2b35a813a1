# libmosquitto, the Eclipse Mosquitto MQTT client library, as the target Mosquitto::Mosquitto.
# Debian: libmosquitto-dev (any architecture through multiarch). Windows: the MinGW build whose
# folder (include/, lib/, bin/) MOSQUITTO_MINGW_DIR names.
set(MOSQUITTO_MINGW_DIR "$ENV{MOSQUITTO_MINGW_DIR}" CACHE PATH "libmosquitto built for MinGW-w64")
if(WIN32 AND MOSQUITTO_MINGW_DIR)
  set(mosquitto_hints HINTS ${MOSQUITTO_MINGW_DIR} NO_CMAKE_FIND_ROOT_PATH)
endif()
find_path(MOSQUITTO_INCLUDE_DIR mosquitto.h PATH_SUFFIXES include ${mosquitto_hints})
find_library(MOSQUITTO_LIBRARY NAMES mosquitto libmosquitto.dll PATH_SUFFIXES lib
  ${mosquitto_hints})
if(NOT MOSQUITTO_INCLUDE_DIR OR NOT MOSQUITTO_LIBRARY)
  message(FATAL_ERROR "libmosquitto not found: install libmosquitto-dev, or on Windows set "
                      "MOSQUITTO_MINGW_DIR to the unpacked mosquitto-mingw folder")
endif()
add_library(Mosquitto::Mosquitto UNKNOWN IMPORTED)
set_target_properties(Mosquitto::Mosquitto PROPERTIES IMPORTED_LOCATION ${MOSQUITTO_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${MOSQUITTO_INCLUDE_DIR})
