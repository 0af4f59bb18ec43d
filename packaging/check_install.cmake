# Installs the build into PREFIX and checks that every file lands where a desktop looks for it.
# cmake -DBUILD_DIR=... -DPREFIX=... -DBINDIR=bin -DDATADIR=share -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(app_id com.tevara.OrvandelMX)
set(expected
    ${BINDIR}/orvandel-mx ${BINDIR}/orvandel-mx-cli ${BINDIR}/orvandel-mx-sim
    ${DATADIR}/applications/${app_id}.desktop
    ${DATADIR}/metainfo/${app_id}.metainfo.xml
    ${DATADIR}/mime/packages/${app_id}.xml
    ${DATADIR}/icons/hicolor/scalable/apps/${app_id}.svg)
foreach(f IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${f}")
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
foreach(program orvandel-mx orvandel-mx-cli orvandel-mx-sim)
    file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${PREFIX}/${BINDIR}/${program}"
        RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
    if(unresolved)
        message(FATAL_ERROR "${program} needs libraries that are not found: ${unresolved}")
    endif()
endforeach()

# The launcher must start the installed program and hand it the file that was opened.
file(STRINGS "${PREFIX}/${DATADIR}/applications/${app_id}.desktop" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=orvandel-mx %f")
    message(FATAL_ERROR "unexpected launcher line: ${exec}")
endif()
file(STRINGS "${PREFIX}/${DATADIR}/applications/${app_id}.desktop" icon REGEX "^Icon=")
if(NOT icon STREQUAL "Icon=${app_id}")
    message(FATAL_ERROR "the launcher names icon \"${icon}\", not the installed ${app_id}")
endif()

find_program(desktop_file_validate desktop-file-validate)
if(desktop_file_validate)
    execute_process(COMMAND "${desktop_file_validate}"
        "${PREFIX}/${DATADIR}/applications/${app_id}.desktop"
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0 OR out MATCHES "error")
        message(FATAL_ERROR "desktop-file-validate: ${out}")
    endif()
else()
    message(STATUS "desktop-file-validate not installed: launcher not validated")
endif()
find_program(appstreamcli appstreamcli)
if(appstreamcli)
    execute_process(COMMAND "${appstreamcli}" validate --no-net
        "${PREFIX}/${DATADIR}/metainfo/${app_id}.metainfo.xml"
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate: ${out}")
    endif()
endif()
file(REMOVE_RECURSE "${PREFIX}")
