// The help text dialog: text area, loading, confirmation.
#include "ui/CDlgHelpText.h"

#include "model/text/ResourceText.h"
#include "model/text/TextProvider.h"
#include "ui/CRibBtnContainer.h"
#include "ui/ControlId.h"
#include "ui/IButtonStrip.h"
#include "ui/RibBtnStrip.h"

#include <QCheckBox>
#include <QTextBrowser>

namespace {

CRibBtnContainer* Concrete(IButtonStrip* strip)
{
    auto* face = dynamic_cast<RibBtnStrip*>(strip);
    return face ? face->Strip() : nullptr;
}

} // namespace

CDlgHelpText::CDlgHelpText(QWidget* parent)
    : CDlgBase(kTemplateId, parent), m_title(QString::fromStdString(LoadResString(273)))
{
}

bool CDlgHelpText::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    setWindowTitle(m_title);

    m_text = new QTextBrowser(this);
    ControlId::Set(m_text, kTextId);
    m_text->setGeometry(0, 0, width(), height() - (m_confirm ? 85 : 65));
    m_text->setFrameShape(QFrame::Box);
    m_text->setReadOnly(true);
    m_text->setOpenLinks(false);
    m_text->setFont(font());
    std::string html;
    if (m_resourceId != 0 && LoadResourceText(html, m_resourceId, RES_TYPE_HELP) && !html.empty())
        m_text->setHtml(QString::fromStdString(html));
    else
        m_text->setPlainText(QString::fromStdString(LoadResString(274)));
    m_text->show();

    if (m_confirm) {
        if (auto* check = findChild<QCheckBox*>(ControlId::ObjectName(kConfirmId)))
            check->show();
        if (CRibBtnContainer* strip = Concrete(FindRibBtnContainer(kIdCancel)))
            strip->ShowButton(kIdCancel, true);
    } else if (CRibBtnContainer* strip = Concrete(FindRibBtnContainer(kIdOk))) {
        strip->EnableButton(kIdOk, true);
    }
    return true;
}

void CDlgHelpText::OnRibBtnAdded(IButtonStrip* strip, int buttonId)
{
    CDlgBase::OnRibBtnAdded(strip, buttonId);
    CRibBtnContainer* concrete = Concrete(strip);
    if (!concrete)
        return;
    if (buttonId == kIdOk) {
        concrete->SetDefaultButton(kIdOk, this);
        if (m_confirm)
            concrete->EnableButton(kIdOk, false);
    } else if (buttonId == kIdCancel) {
        concrete->ShowButton(kIdCancel, false);
    }
}

bool CDlgHelpText::OnCommand(int id, int notifyCode, QObject* control)
{
    if (id == kConfirmId) {
        auto* check = qobject_cast<QCheckBox*>(control);
        if (!check)
            check = findChild<QCheckBox*>(ControlId::ObjectName(kConfirmId));
        if (CRibBtnContainer* strip = Concrete(FindRibBtnContainer(kIdOk)); strip && check)
            strip->EnableButton(kIdOk, check->isChecked());
        return true;
    }
    return CDlgBase::OnCommand(id, notifyCode, control);
}
