# Build time. CI builds everything on two cores, twice (Release, then the core with sanitizers),
# so the compiler's time is watched like any other figure:
# - lld links the hundred-odd executables in a fraction of the time the default linker takes;
# - every target that compiles against Qt reuses one precompiled header of the Qt and standard
#   headers, which otherwise take most of each Qt file's compile time;
# - the core's test programs reuse one precompiled header of GoogleTest and the standard headers.
# NIMBUS_PCH=OFF builds without the precompiled headers (e.g. to check that every file includes
# what it uses); a target with the property NIMBUS_NO_PCH set builds without them too (one that
# must include GLib before Qt, or is compiled with other flags).

option(NIMBUS_PCH "Reuse precompiled Qt, GoogleTest and standard headers" ON)

include(CheckLinkerFlag)
check_linker_flag(CXX "-fuse-ld=lld" NIMBUS_HAVE_LLD)
if(NIMBUS_HAVE_LLD)
    add_link_options(-fuse-ld=lld)
endif()

set(NIMBUS_PCH_STD_HEADERS <algorithm> <chrono> <cstdint> <functional> <map> <memory> <optional>
    <set> <string> <string_view> <unordered_map> <utility> <vector>)
# The Qt headers most of our files include. The umbrella <QtWidgets> would make a header twice the
# size, and loading it would cost more than it saves.
set(NIMBUS_PCH_QT_HEADERS <QAbstractItemView> <QAction> <QApplication> <QByteArray> <QCheckBox>
    <QComboBox> <QDateTime> <QDialog> <QDir> <QFile> <QHBoxLayout> <QHash> <QHeaderView> <QIcon>
    <QKeyEvent> <QLabel> <QLineEdit> <QListWidget> <QMenu> <QMessageBox> <QMimeData> <QObject>
    <QPainter> <QPixmap> <QPlainTextEdit> <QPointer> <QPushButton> <QRadioButton> <QString>
    <QStringList> <QTextCursor> <QTextDocument> <QTextEdit> <QTimer> <QToolButton> <QTreeWidget>
    <QUrl> <QVBoxLayout> <QWidget>)

# The Qt modules a target compiles against: those it links, directly or through our libraries.
# Only a target with Qt Widgets can read the shared Qt header; one with any Qt module is built
# position-independent (Qt asks for it) and cannot read the GoogleTest header.
function(nimbus_target_qt_modules target out)
    get_property(known GLOBAL PROPERTY NIMBUS_QT_MODULES_${target} SET)
    if(known)
        get_property(answer GLOBAL PROPERTY NIMBUS_QT_MODULES_${target})
        set(${out} "${answer}" PARENT_SCOPE)
        return()
    endif()
    set(answer "")
    get_target_property(type ${target} TYPE)
    set(properties INTERFACE_LINK_LIBRARIES)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
        list(APPEND properties LINK_LIBRARIES)
    endif()
    foreach(property ${properties})
        get_target_property(libs ${target} ${property})
        if(NOT libs)
            continue()
        endif()
        foreach(lib ${libs})
            if(lib MATCHES "^Qt6::")
                list(APPEND answer ${lib})
            elseif(lib MATCHES "^nimbus" AND TARGET ${lib})
                nimbus_target_qt_modules(${lib} sub)
                list(APPEND answer ${sub})
            endif()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES answer)
    set_property(GLOBAL PROPERTY NIMBUS_QT_MODULES_${target} "${answer}")
    set(${out} "${answer}" PARENT_SCOPE)
endfunction()

function(nimbus_collect_targets dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub ${subdirs})
        nimbus_collect_targets(${sub} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Called once every target exists: gives each C++ target of ours the precompiled header that fits.
function(nimbus_apply_precompiled_headers)
    if(NOT NIMBUS_PCH)
        return()
    endif()
    nimbus_collect_targets(${PROJECT_SOURCE_DIR} targets)
    set(qt_host "")
    set(gtest_host "")
    if(NIMBUS_BUILD_GUI AND TARGET Qt6::Widgets)
        set(qt_host nimbus_pch_qt)
        add_library(${qt_host} STATIC ${PROJECT_SOURCE_DIR}/cmake/PchHost.cpp)
        target_link_libraries(${qt_host} PRIVATE Qt6::Widgets)
        set_target_properties(${qt_host} PROPERTIES AUTOMOC OFF)
        target_precompile_headers(${qt_host} PRIVATE ${NIMBUS_PCH_QT_HEADERS} ${NIMBUS_PCH_STD_HEADERS})
    endif()
    if(TARGET GTest::gtest)
        set(gtest_host nimbus_pch_gtest)
        add_library(${gtest_host} STATIC ${PROJECT_SOURCE_DIR}/cmake/PchHost.cpp)
        target_link_libraries(${gtest_host} PRIVATE GTest::gtest)
        set_target_properties(${gtest_host} PROPERTIES AUTOMOC OFF)
        target_precompile_headers(${gtest_host} PRIVATE <gtest/gtest.h> ${NIMBUS_PCH_STD_HEADERS})
    endif()
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE|OBJECT_LIBRARY|SHARED_LIBRARY)$")
            continue()
        endif()
        get_target_property(own ${target} PRECOMPILE_HEADERS)
        get_target_property(reused ${target} PRECOMPILE_HEADERS_REUSE_FROM)
        get_target_property(opted_out ${target} NIMBUS_NO_PCH)
        if(own OR reused OR opted_out)
            continue()
        endif()
        nimbus_target_qt_modules(${target} qt_modules)
        get_target_property(libs ${target} LINK_LIBRARIES)
        if(qt_host AND "Qt6::Widgets" IN_LIST qt_modules)
            target_precompile_headers(${target} REUSE_FROM ${qt_host})
        elseif(gtest_host AND NOT qt_modules AND libs AND "GTest::gtest" IN_LIST libs)
            target_precompile_headers(${target} REUSE_FROM ${gtest_host})
            # Read from a precompiled header, the standard library loses its system-header
            # standing, and GCC 12's known false alarms about its inlined string copies (they do
            # not appear without the header) would fill the test build's output.
            target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow
                                   -Wno-restrict)
        endif()
    endforeach()
endfunction()
