# The version lives in project() alone; everything that shows it takes it from here.
#   ZIBBET_VERSION_TEXT     what the programs, the guide and the release call it: the minor
#                           version in two digits, "1.00" for 1.0.0 (".N" follows for a patch)
#   ZIBBET_VERSION_QUAD     the four numbers of a version record or manifest, "1.0.0.0"
#   ZIBBET_VERSION_NUMBERS  the same, comma-separated, as a version record's FILEVERSION wants
set(ZIBBET_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
string(REPLACE . , ZIBBET_VERSION_NUMBERS ${ZIBBET_VERSION_QUAD})
if(PROJECT_VERSION_MINOR LESS 10)
  set(ZIBBET_VERSION_TEXT ${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR})
else()
  set(ZIBBET_VERSION_TEXT ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
endif()
if(PROJECT_VERSION_PATCH GREATER 0)
  string(APPEND ZIBBET_VERSION_TEXT .${PROJECT_VERSION_PATCH})
endif()

# For the resource scripts of both programs.
set(ZIBBET_VERSION_INCLUDE ${PROJECT_BINARY_DIR}/version)
configure_file(${CMAKE_CURRENT_LIST_DIR}/ZibbetVersion.h.in ${ZIBBET_VERSION_INCLUDE}/ZibbetVersion.h
  @ONLY)
