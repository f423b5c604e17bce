// The About dialog: the program's name, version and copyright.
#pragma once

#include "ui/CDlgBase.h"

class CAboutDlg : public CDlgBase
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplateId = 410;

    explicit CAboutDlg(QWidget* parent = nullptr) : CDlgBase(kTemplateId, parent) {}
};
