// The main window's own commands and their update handlers: help, about, the language switch, the 3D
// settings, exit, and the rules of the commands that need an open document.
#include "app/CMainFrame.h"

#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CQOR2App.h"
#include "app/DokumentBefehle.h"
#include "app/LanguageMenu.h"
#include "app/MainRibbonLayout.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CQOR.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/CCmdUI.h"
#include "platform/SystemInfo.h"
#include "ui/CDlgHelpText.h"
#include "ui/IMessageBoxService.h"
#include "ui/Render3DServices.h"
#include "ui/ShowMessage658.h"
#include "view3d/Settings3DRecord.h"
#include "views/CTabbedViewView.h"

#include <QFile>
#include <QSettings>

namespace {

constexpr unsigned kAppExit = 0xE141;
constexpr unsigned kViewToolbar = 0xE800;
constexpr unsigned kViewStatusBar = 0xE801;

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

} // namespace

QString CMainFrame::SelectedLanguage() const
{
    if (!m_selectedLanguage.isEmpty())
        return m_selectedLanguage;
    const CQOR2App* app = CQOR2App::Instance();
    return app ? app->LanguageCode() : QString();
}

void CMainFrame::RegisterCommands()
{
    CommandTable& t = m_commands;
    t.On(633, [this](unsigned) { OnHelp(); });
    t.On(33333, [this](unsigned) { OnAbout(); });
    t.OnRange(LanguageMenu::kFirstCommand, LanguageMenu::kLastCommand,
              [this](unsigned id) { OnLanguage(id); });
    t.OnUpdateRange(LanguageMenu::kFirstCommand, LanguageMenu::kLastCommand, [this](CCmdUI& cmdUI) {
        const CQOR2App* app = CQOR2App::Instance();
        const QStringList codes = app ? app->Languages() : QStringList();
        const int index = int(cmdUI.m_nID) - LanguageMenu::kFirstCommand;
        cmdUI.Enable(index < codes.size());
        cmdUI.SetCheck(index < codes.size() && codes[index] == SelectedLanguage() ? 1 : 0);
    });
    for (unsigned id : {kAppExit, 33096u})
        t.On(id,
             [this](unsigned) { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); });
    for (unsigned id : {kViewToolbar, kViewStatusBar}) {
        t.OnUpdate(id, [](CCmdUI& cmdUI) {
            cmdUI.SetCheck(1);
            cmdUI.Enable(false);
        });
    }
    // The 3D settings dialog belongs to the 3D view; without its services there is nothing to set.
    t.On(33269, [this](unsigned) { RunSettings3D(); });
    t.OnUpdate(33269, [this](CCmdUI& cmdUI) { cmdUI.Enable(m_run.Find<IRender3DServices>() != nullptr); });
    t.On(33338, [this](unsigned) { OnDeleteSettings3D(); });
    // The notices of the checks that need an open document.
    for (unsigned id : {33070u, 33071u})
        t.On(id, [this](unsigned) { ShowMessage658(this); });
    for (unsigned id : {33070u, 33071u, 33080u, 33081u, 33099u, 33110u})
        t.OnUpdate(id, [id](CCmdUI& cmdUI) {
            cmdUI.Enable(DokumentBefehle::IstFahrzeugBefehlFrei(GetActiveDoc(), id));
        });
    // Functions withdrawn from this edition: a plain notice, or nothing at all.
    for (unsigned id : {33073u, 33074u, 33075u, 33111u, 33099u, 33110u})
        t.On(id, [this](unsigned) {
            MessageBoxes().Show(this, Text(273), Text(1401), IMessageBoxService::Icon::Warning,
                                IMessageBoxService::Buttons::Ok);
        });
    t.On(33098, [this](unsigned) {
        MessageBoxes().Show(this, Text(273), Text(1402), IMessageBoxService::Icon::Warning,
                            IMessageBoxService::Buttons::Ok);
    });
    for (unsigned id : {33078u, 33079u, 33083u, 33084u, 33086u, 33087u, 33088u, 33089u, 33092u, 33094u,
                        33097u, 33100u, 33107u})
        t.On(id, [](unsigned) {});
    for (unsigned id : {33083u, 33098u, 33107u})
        t.OnUpdate(id, [](CCmdUI& cmdUI) { cmdUI.Enable(true); });
    RegisterDocumentCommands();
}

bool CMainFrame::OnCommand(int id, int index)
{
    if (id <= 0)
        return false;
    if (id == MainRibbonLayout::kPercentCombo)
        DokumentBefehle::SetzeSeitenProzent(GetActiveDoc(), index);
    if (m_commands.Execute(unsigned(id)))
        return true;
    // What the frame does not run goes to the views of the active document.
    CChildFrame* child = ActiveChild();
    CTabbedViewView* host = child ? child->GetTabbedView() : nullptr;
    return host && host->RouteCommand(id, nullptr);
}

void CMainFrame::RouteCommandToViews(CCmdUI& cmdUI)
{
    // The views of the active document answer after the frame; no document, no views.
    CChildFrame* child = ActiveChild();
    if (CTabbedViewView* host = child ? child->GetTabbedView() : nullptr)
        host->RouteCommand(int(cmdUI.m_nID), &cmdUI);
}

void CMainFrame::OnLanguage(unsigned id)
{
    CQOR2App* app = CQOR2App::Instance();
    if (!app)
        return;
    QString selected = SelectedLanguage();
    auto settings = CQOR2App::UserSettings();
    const LanguageMenu::SwitchResult result = LanguageMenu::Switch(
        int(id) - LanguageMenu::kFirstCommand, app->Languages(), selected, app->LanguageCode(), *settings);
    m_selectedLanguage = selected;
    if (result == LanguageMenu::SAVED_NEXT_START)
        MessageBoxes().Show(this, Text(273), Text(331), IMessageBoxService::Icon::Information,
                            IMessageBoxService::Buttons::Ok);
}

void CMainFrame::RunSettings3D()
{
    // Without the 3D side's services the command is disabled.
    IRender3DServices* services = m_run.Find<IRender3DServices>();
    if (services == nullptr)
        return;
    if (CQOR2App* app = CQOR2App::Instance(); app && app->Is3DUnavailable()) {
        Start3DFromSettings(*services, *app);
        return;
    }
    const QString path = GetUserDataPath(QStringLiteral("Direct3D.tbc"));
    GlSettingsRecord record{};
    const bool saved = Settings3DRecord::Load(path, &record);
    if (services->ShowD3DSettingsDialog(&record, saved, this) != 0)
        return;
    // Settings the driver refuses change nothing.
    if (!services->TrySettings3D(record))
        return;
    QString why;
    if (!Settings3DRecord::Save(path, record, &why)) {
        MessageBoxes().Show(this, Text(162), why, IMessageBoxService::Icon::Error,
                            IMessageBoxService::Buttons::Ok);
        return;
    }
    MessageBoxes().Show(this, Text(162), Text(163) + QLatin1Char('.'), IMessageBoxService::Icon::Information,
                        IMessageBoxService::Buttons::Ok);
}

void CMainFrame::Start3DFromSettings(IRender3DServices& services, CQOR2App& app)
{
    // 3D did not start: the settings begin empty, and the ones chosen start it now.
    GlSettingsRecord record{};
    if (services.ShowD3DSettingsDialog(&record, false, this) != 0)
        return;
    if (!services.TrySettings3D(record))
        return;
    // The open window's views were made without 3D: it closes (asking to save as closing does) and
    // opens again once 3D runs.
    QString reopen;
    if (const CQOR1Doc* doc = GetActiveDoc()) {
        const int answer = MessageBoxes().Show(this, Text(160), Text(159), IMessageBoxService::Icon::Question,
                                               IMessageBoxService::Buttons::YesNo);
        if (answer != IMessageBoxService::kYes)
            return;
        reopen = QString::fromStdString(doc->GetPathName());
        if (!CloseActiveChild())
            return;
    }
    if (app.Start3DWith(record)) {
        MessageBoxes().Show(this, Text(162), Text(1510) + QLatin1Char('.'),
                            IMessageBoxService::Icon::Information, IMessageBoxService::Buttons::Ok);
    } else {
        MessageBoxes().Show(this, Text(156), QString::fromStdString(FormatS("$S.\n\n$S.", 2, 155u, 165u)),
                            IMessageBoxService::Icon::Error, IMessageBoxService::Buttons::Ok);
    }
    if (!reopen.isEmpty() && QFile::exists(reopen))
        OpenFile(reopen, -1, false);
}

void CMainFrame::OnDeleteSettings3D()
{
    const QString path = GetUserDataPath(QStringLiteral("Direct3D.tbc"));
    if (!QFile::exists(path))
        return;
    if (!QFile::remove(path)) {
        MessageBoxes().Show(this, Text(162), QFile(path).errorString(), IMessageBoxService::Icon::Error,
                            IMessageBoxService::Buttons::Ok);
        return;
    }
    MessageBoxes().Show(this, Text(162), Text(163) + QLatin1Char('.'), IMessageBoxService::Icon::Information,
                        IMessageBoxService::Buttons::Ok);
}

void CMainFrame::OnHelp()
{
    CDlgHelpText dialog(this);
    dialog.SetTitle(Text(633).section(QLatin1Char('\n'), 1, 1));
    dialog.SetResourceId(Text(649).toUInt());
    dialog.exec();
}

void CMainFrame::OnAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}
