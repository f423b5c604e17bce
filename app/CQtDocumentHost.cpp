// The Qt side of a document.
#include "app/CQtDocumentHost.h"

#include "app/CChildFrame.h"
#include "app/CQOR2App.h"
#include "app/DocumentServices.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "reports/CDlgDrucken2.h"
#include "ui/IMessageBoxService.h"
#include "views/CTabbedViewView.h"

#include <QWidget>

CQtDocumentHost::CQtDocumentHost(QWidget* window, const DocumentServices* services)
    : m_pWindow(window), m_pServices(services)
{
}

void CQtDocumentHost::SetFrameTitle(const std::string& title)
{
    if (m_pWindow)
        m_pWindow->setWindowTitle(QString::fromStdString(title));
}

void CQtDocumentHost::ShowMessage(const std::string& caption, const std::string& htmlBody, int nButton)
{
    IMessageBoxService::HtmlBox box;
    box.caption = QString::fromStdString(caption);
    box.text = QString::fromStdString(htmlBody);
    box.buttons = {{nButton, nButton}};
    MessageBoxes().ShowHtml(m_pWindow, box, nullptr);
}

int CQtDocumentHost::AskFileName(bool bKombination, const std::string&, const std::string& presetName,
                                 std::string& folder, std::string& name)
{
    if (!m_pServices || !m_pServices->askSaveName)
        return 0;
    QString qFolder;
    QString qName;
    if (!m_pServices->askSaveName(m_pWindow, bKombination, QString::fromStdString(presetName), qFolder,
                                  qName))
        return 0;
    folder = qFolder.toStdString();
    name = qName.toStdString();
    return kButtonOk;
}

void CQtDocumentHost::AddToRecentFileList(const std::string& path)
{
    if (CQOR2App* app = CQOR2App::Instance())
        app->AddToRecentFileList(QString::fromStdString(path));
}

void CQtDocumentHost::ZeigeLetztenTab()
{
    if (auto* child = qobject_cast<CChildFrame*>(m_pWindow))
        child->RestoreTab();
}

void CQtDocumentHost::OpenPrintDialog(CFahrzeug* pVorn, CFahrzeug* pAnhaenger, CQOR1Doc* pDoc)
{
    if (!pDoc || !pVorn)
        return;
    CDlgDrucken2 dialog(pDoc, pVorn, pAnhaenger, m_pWindow);
    if (CTabbedViewView* host = GetViewHost())
        if (auto* sicherung = host->FindView<CQORLgSicherungView>())
            dialog.SetSkizzenRenderer(sicherung->SkizzenRenderer());
    dialog.exec();
}
