# Precompiled headers of the product libraries on Qt (never the model, which stays free of Qt).
#
# One header set, the standard library and the common Qt Widgets headers, is compiled once by a target
# of its own and used by every library on Qt (REUSE_FROM). These libraries are compiled with the same
# flags; the Qt module macros that differ between them (QT_NETWORK_LIB, QT_UITOOLS_LIB, ...) are not
# read by these headers, so GCC accepts the header everywhere, and a mismatch would fail the build
# (-Winvalid-pch under -Werror) instead of passing by unnoticed. ccache caches the objects that use it
# when told to tolerate the header's embedded macros and time stamps.

set(QOR_PRODUCT_PCH_HEADERS
    <algorithm> <array> <cmath> <cstdint> <cstring> <filesystem> <functional> <map> <memory> <optional>
    <set> <string> <utility> <vector>
    <QAbstractButton> <QAction> <QApplication> <QCheckBox> <QComboBox> <QCoreApplication> <QDialog> <QDir>
    <QEvent> <QFile> <QFileInfo> <QFont> <QFontMetrics> <QGuiApplication> <QImage> <QKeyEvent> <QLabel>
    <QLineEdit> <QList> <QMenu> <QMouseEvent> <QObject> <QPainter> <QPixmap> <QPoint> <QPointer>
    <QPushButton> <QRect> <QScreen> <QSettings> <QSize> <QString> <QStringList> <QTimer> <QWidget>)

if(CMAKE_CXX_COMPILER_LAUNCHER)
    set(QOR_PCH_LAUNCHER
        "${CMAKE_COMMAND};-E;env;CCACHE_SLOPPINESS=pch_defines,time_macros;${CMAKE_CXX_COMPILER_LAUNCHER}")
endif()

# The owner: a target that only compiles the header, from an empty source written into the build folder.
set(qor_pch_anchor "${CMAKE_BINARY_DIR}/qor_product_pch_anchor.cpp")
file(CONFIGURE OUTPUT "${qor_pch_anchor}"
    CONTENT "// Compiling this builds the precompiled headers of the product libraries.\n")
add_library(qor_product_pch OBJECT "${qor_pch_anchor}")
target_link_libraries(qor_product_pch PRIVATE Qt6::Widgets)
set_target_properties(qor_product_pch PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
target_precompile_headers(qor_product_pch PRIVATE ${QOR_PRODUCT_PCH_HEADERS})

# qor_product_pch_use(<target> ...): the libraries compile with the shared header.
function(qor_product_pch_use)
    foreach(name IN LISTS ARGN)
        target_precompile_headers(${name} REUSE_FROM qor_product_pch)
        if(QOR_PCH_LAUNCHER)
            set_target_properties(${name} PROPERTIES CXX_COMPILER_LAUNCHER "${QOR_PCH_LAUNCHER}")
        endif()
    endforeach()
endfunction()
if(QOR_PCH_LAUNCHER)
    set_target_properties(qor_product_pch PROPERTIES CXX_COMPILER_LAUNCHER "${QOR_PCH_LAUNCHER}")
endif()
