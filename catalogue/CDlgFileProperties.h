// A small window with what the file system tells of one file or folder: place, size, dates, rights.
#pragma once

#include <QDialog>

class QLabel;

class CDlgFileProperties : public QDialog
{
    Q_OBJECT
public:
    // Rows of the window, in their order.
    enum Row
    {
        kLocation,
        kSize,
        kModified,
        kCreated,
        kPermissions,
        kRowCount
    };

    explicit CDlgFileProperties(const QString& path, QWidget* parent = nullptr);

    // The shown value of a row.
    QString Value(Row row) const;

    // "rwxr-x---" of a path's owner, group and others; "?" when it cannot be read.
    static QString PermissionText(const QString& path);

private:
    QLabel* m_values[kRowCount] = {};
};
