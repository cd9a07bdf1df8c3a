# Included once, by the top-level CMakeLists of the Qt 5 build.
# Imported targets for QGIS 3.22 as Debian ships it (no CMake package of its own):
# QGIS::Core and QGIS::Gui. Debian puts every header in one folder, while a few
# headers include siblings by a sub-folder path ("geometry/qgsabstractgeometry.h"),
# so those sub-folder names are links to that one folder in the build tree.
find_path(QGIS_INCLUDE_DIR qgsapplication.h PATH_SUFFIXES qgis REQUIRED)
find_library(QGIS_CORE_LIBRARY qgis_core REQUIRED)
find_library(QGIS_GUI_LIBRARY qgis_gui REQUIRED)
find_package(Qt5 REQUIRED COMPONENTS Xml Network Svg Sql Concurrent Positioning)

set(qgis_shim ${CMAKE_BINARY_DIR}/qgis-include-shim)
foreach(sub diagram geometry processing scalebar)
    if(NOT EXISTS ${qgis_shim}/${sub})
        file(MAKE_DIRECTORY ${qgis_shim})
        file(CREATE_LINK ${QGIS_INCLUDE_DIR} ${qgis_shim}/${sub} SYMBOLIC)
    endif()
endforeach()

add_library(QGIS::Core INTERFACE IMPORTED GLOBAL)
# SYSTEM: QGIS's own headers are not ours to keep free of warnings.
set_target_properties(QGIS::Core PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${QGIS_INCLUDE_DIR};${qgis_shim}"
    INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${QGIS_INCLUDE_DIR};${qgis_shim}"
    INTERFACE_LINK_LIBRARIES
        "${QGIS_CORE_LIBRARY};GDAL::GDAL;Qt5::Widgets;Qt5::Xml;Qt5::Network;Qt5::Svg;Qt5::Sql;Qt5::Concurrent;Qt5::Positioning;Qt5::PrintSupport")
add_library(QGIS::Gui INTERFACE IMPORTED GLOBAL)
set_target_properties(QGIS::Gui PROPERTIES
    INTERFACE_LINK_LIBRARIES "${QGIS_GUI_LIBRARY};QGIS::Core")
