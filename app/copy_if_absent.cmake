# Copies SOURCE to TARGET only when TARGET does not exist, so a player's scores survive rebuilds.
if(NOT EXISTS "${TARGET}")
    configure_file("${SOURCE}" "${TARGET}" COPYONLY)
endif()
