# Build settings shared by every test executable (tests/CMakeLists.txt and the model-only build).
#
# Test code is compiled without optimisation: in a sanitizer build most of a test file's compile time
# went into optimising its expanded assertions, while the code under test keeps the optimisation of its
# own libraries.
#
# The headers that nearly every test file includes are precompiled: the standard library and GoogleTest
# for all, Qt Widgets in addition for the suites on Qt. One precompiled header serves all suites of a
# kind (REUSE_FROM); GCC uses it only where the compile flags and the macros it depends on match, and
# otherwise warns (-Winvalid-pch, kept a warning) and reads the headers as usual. ccache caches the
# objects that use it when told to tolerate the header's embedded macros and time stamps.

set(QOR_TEST_PCH_STD_HEADERS
    <algorithm> <cmath> <cstdint> <cstring> <filesystem> <fstream> <functional> <map> <memory> <optional>
    <random> <set> <sstream> <string> <vector> <gtest/gtest.h>)
set(QOR_TEST_PCH_QT_HEADERS ${QOR_TEST_PCH_STD_HEADERS}
    <QAbstractButton> <QAction> <QApplication> <QCheckBox> <QComboBox> <QCoreApplication> <QDialog> <QDir>
    <QElapsedTimer> <QEvent> <QFile> <QFileInfo> <QFont> <QImage> <QKeyEvent> <QLabel> <QLineEdit> <QMenu>
    <QMouseEvent> <QPainter> <QPointer> <QPushButton> <QRect> <QSettings> <QStandardPaths> <QString>
    <QStringList> <QTemporaryDir> <QTimer> <QWidget>)

if(CMAKE_CXX_COMPILER_LAUNCHER)
    set(QOR_TEST_LAUNCHER
        "${CMAKE_COMMAND};-E;env;CCACHE_SLOPPINESS=pch_defines,time_macros;${CMAKE_CXX_COMPILER_LAUNCHER}")
endif()

# The flags of every test object (and of the targets that own the shared precompiled headers).
function(qor_test_compile_settings name)
    target_compile_options(${name} PRIVATE -O0 -Wno-error=invalid-pch)
    if(QOR_TEST_LAUNCHER)
        set_target_properties(${name} PROPERTIES CXX_COMPILER_LAUNCHER "${QOR_TEST_LAUNCHER}")
    endif()
endfunction()

# qor_test_pch_owner(<name> <header list variable> [LIBS ...]): a target that only compiles the given
# precompiled header, with the macros that the libraries bring.
function(qor_test_pch_owner name headers_var)
    cmake_parse_arguments(P "" "" "LIBS" ${ARGN})
    add_library(${name} OBJECT "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/support/PchAnchor.cpp")
    target_link_libraries(${name} PRIVATE ${P_LIBS})
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    qor_test_compile_settings(${name})
    target_precompile_headers(${name} PRIVATE ${${headers_var}})
endfunction()

# qor_test_settings(<test target> [PCH <owner>]): the flags above and, where given, the shared header.
function(qor_test_settings name)
    cmake_parse_arguments(S "" "PCH" "" ${ARGN})
    qor_test_compile_settings(${name})
    if(S_PCH)
        target_precompile_headers(${name} REUSE_FROM ${S_PCH})
    endif()
endfunction()
