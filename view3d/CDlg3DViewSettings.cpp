// The 3D view settings dialog: each click acts on the view behind it, OK hands the values back.
#include "view3d/CDlg3DViewSettings.h"

#include "ui/ControlId.h"
#include "view3d/CQOR3DView.h"

#include <QCheckBox>

CDlg3DViewSettings::CDlg3DViewSettings(QWidget* parent) : CDlgBase(kTemplate, parent) {}

int CDlg3DViewSettings::BoxIndex(int id)
{
    for (std::size_t i = 0; i < kBoxes.size(); ++i)
        if (kBoxes[i].id == id)
            return static_cast<int>(i);
    return -1;
}

void CDlg3DViewSettings::ExchangeBoxes(bool save)
{
    if (save && m_bNoSave != 0)
        return;
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        auto* box = findChild<QCheckBox*>(ControlId::ObjectName(kBoxes[i].id));
        if (box == nullptr)
            continue;
        if (save)
            m_nCheck[i] = box->isChecked() ? 1 : 0;
        else
            box->setChecked(m_nCheck[i] != 0);
    }
}

bool CDlg3DViewSettings::OnInitDialog()
{
    const bool result = CDlgBase::OnInitDialog();
    ExchangeBoxes(false);
    for (std::size_t i = 0; i < kBoxes.size(); ++i)
        if (kBoxes[i].flag >= 0)
            m_Flags[kBoxes[i].flag] = m_nCheck[i];
    return result;
}

bool CDlg3DViewSettings::OnCommand(int id, int notifyCode, QObject* control)
{
    const int index = BoxIndex(id);
    if (index < 0)
        return CDlgBase::OnCommand(id, notifyCode, control);
    if (m_pView == nullptr)
        return true;
    auto* box = findChild<QCheckBox*>(ControlId::ObjectName(id));
    const int on = box && box->isChecked() ? 1 : 0;
    const int flag = kBoxes[static_cast<std::size_t>(index)].flag;
    if (flag < 0)
        m_pView->SetShowFrame(on);
    else
        m_pView->Renderer().Flags()[flag] = on;
    if (id == kOrthographicBox)
        m_pView->Camera().SetOrthographic(on != 0);
    m_pView->SetDirty();
    if (bRenderAll != 0 && m_pView->Device3D() != nullptr)
        m_pView->Device3D()->RenderAll(0.0f, 1);
    m_pView->viewport()->update();
    return true;
}

void CDlg3DViewSettings::OnOK()
{
    ExchangeBoxes(true);
    CDlgBase::OnOK();
}
