# Where an installed Linkwise lives, and how the data the programs expect
# beside themselves reaches the installed program folder.
#
# The program folder holds linkwise, linkwise-cli, the calculation library and
# every file or folder the programs look for beside themselves, exactly as the
# build lays them out in build/bin. On Linux it is <prefix>/lib/linkwise, with
# the commands <prefix>/bin/linkwise and <prefix>/bin/linkwise-cli as relative
# links into it; on Windows it is the prefix itself.
#
# Data beside the programs: whatever rule puts a file or folder into build/bin
# registers it once, next to that rule:
#
#     linkwise_install_beside_programs(BORDER)         # a folder the build fills
#     linkwise_install_beside_programs(equipment.db)   # a file the build writes
#
# The name is taken relative to build/bin; files and folders are both copied
# whole at install time. The install test checks that every registered name
# arrives in the installed program folder.

if(WIN32)
    set(LINKWISE_INSTALL_PROGRAMDIR "." CACHE STRING
        "Program folder, relative to the install prefix")
else()
    set(LINKWISE_INSTALL_PROGRAMDIR "lib/linkwise" CACHE STRING
        "Program folder, relative to the install prefix")
endif()
set(LINKWISE_INSTALL_BINDIR "bin" CACHE STRING
    "Folder of the linkwise and linkwise-cli commands, relative to the install prefix")

function(linkwise_install_beside_programs)
    foreach(name ${ARGN})
        set(source "${CMAKE_BINARY_DIR}/bin/${name}")
        # Decided at install time: the build makes the file or folder, so it
        # need not exist when CMake configures.
        install(CODE "
            if(NOT EXISTS \"${source}\")
                message(FATAL_ERROR \"${source} is missing: build Linkwise before installing it\")
            endif()
            file(INSTALL \"${source}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${LINKWISE_INSTALL_PROGRAMDIR}\"
                 USE_SOURCE_PERMISSIONS)")
        set_property(GLOBAL APPEND PROPERTY LINKWISE_BESIDE_PROGRAMS "${name}")
    endforeach()
endfunction()
