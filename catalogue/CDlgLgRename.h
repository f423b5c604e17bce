// The rename form of the loading plan: one new name for the chosen loads.
#pragma once

#include "catalogue/FormAblehnung.h"
#include "ui/CDlgBase.h"

class QLineEdit;

class CDlgLgRename : public CDlgBase
{
    Q_OBJECT

public:
    static constexpr quint32 kTemplateId = 554;
    static constexpr int kIdName = 1188;

    // A name of blanks only is refused.
    static FormAblehnung Pruefe(const QString& name);

    explicit CDlgLgRename(QWidget* parent = nullptr);

    // Set before, read after OK (trimmed).
    QString m_strName;

    QLineEdit* Feld() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
};
