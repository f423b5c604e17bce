// The command table of the running program: every command of the ribbon and its popups, of the views'
// context menus and of the views' button strips, with the ids read from the controls. Each command
// enabled by its own rules reaches a handler (a modal dialog opened is checked and cancelled, a notice
// counts); none is enabled without a handler, none is disabled for a reason other than its own rules.
#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/CQORRibbonBar.h"
#include "app/CQORRibbonSystemPopupBar.h"
#include "app/RunningProgram.h"
#include "catalogue/CDlgDataOnNewFzg.h"
#include "catalogue/CDlgFileAction2.h"
#include "catalogue/CDlgKombiNeu.h"
#include "catalogue/CDlgNutzbareLF.h"
#include "catalogue/CDlgZL.h"
#include "loadsecuring/CDlgEditLgsFsmExt.h"
#include "model/document/CQOR1Doc.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/CCmdUI.h"
#include "platform/MenuResource.h"
#include "reports/CDlgDrucken2.h"
#include "reports/CDlgExport.h"
#include "reports/CDlgImport.h"
#include "tests/support/ProgramSandbox.h"
#include "tests/support/RecordingCmdUI.h"
#include "ui/CDlgBase.h"
#include "ui/CDlgHelpText.h"
#include "ui/CRibBtn.h"
#include "ui/CRibBtnContainer.h"
#include "ui/ScriptedMessageBoxService.h"
#include "views/CGetAnsView.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"
#include "views/CViewDruck.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

// Cancels every modal dialog that opens while it lives and remembers what it was: the template id of a
// program dialog, else the class name.
class ModalWatcher
{
public:
    ModalWatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w)
                return;
            if (auto* dlg = qobject_cast<CDlgBase*>(w))
                m_opened.push_back("template " + std::to_string(dlg->TemplateId()));
            else
                m_opened.push_back(w->metaObject()->className());
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            else
                w->close();
        });
        m_timer.start();
    }
    std::vector<std::string> Take() { return std::exchange(m_opened, {}); }

private:
    QTimer m_timer;
    std::vector<std::string> m_opened;
};

// A command found on a control: its id, where it was found and, for a strip, the view it notifies.
struct Befehl
{
    int id = 0;
    std::string quelle;
    QWidget* control = nullptr;
    QAction* action = nullptr;
    CGetAnsView* view = nullptr;
};

void Sammle(QMenu* menu, const std::string& quelle, std::vector<Befehl>& out)
{
    if (!menu)
        return;
    for (QAction* a : menu->actions()) {
        if (a->menu())
            Sammle(a->menu(), quelle, out);
        if (const int id = MenuResource::CommandOf(a); id > 0)
            out.push_back({id, quelle, nullptr, a, nullptr});
    }
}

class CommandTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(m_sandbox.Prepare());
        // Printing goes into a file, never to a printer of the machine.
        CViewDruck::SetDialogHook([](QPrinter&, int, int) { return false; });
        // Started the way main() starts the program.
        ASSERT_NO_FATAL_FAILURE(StartProgramAndWait(m_sandbox.Options(), m_program));
        // The first start shows the sample truck.
        ASSERT_NE(CMainFrame::GetActiveDoc(), nullptr);
        m_truck = QString::fromStdString(CMainFrame::GetActiveDoc()->GetPathName());
    }

    void TearDown() override
    {
        CViewDruck::SetDialogHook({});
        if (m_program) {
            m_program->MainFrame()->close();
            m_program->Exit();
        }
        m_program.reset();
        m_sandbox.RestoreDataHome();
    }

    CMainFrame* Frame() const { return m_program->MainFrame(); }

    // The truck again when a command closed it.
    void Wiederherstellen()
    {
        QCoreApplication::processEvents();
        if (!CMainFrame::GetActiveDoc()) {
            ASSERT_TRUE(Frame()->OpenFile(m_truck, -1, false));
        }
        CTabbedViewView* host = Frame()->ActiveChild()->GetTabbedView();
        if (host->GetSelectedTab() != 0)
            host->SelectTab(0);
    }

    // The frame's and the views' answer for a command, as the ribbon's update pass gives it.
    bool Aktiv(int id)
    {
        RecordingCmdUI ui;
        ui.m_nID = unsigned(id);
        if (!Frame()->Commands().Update(ui))
            ui.enabled = Frame()->Commands().HasHandler(unsigned(id));
        if (CChildFrame* child = Frame()->ActiveChild())
            child->GetTabbedView()->RouteCommand(id, &ui);
        return ui.enabled;
    }

    ProgramSandbox m_sandbox;
    ScriptedMessageBoxService m_boxes;
    std::unique_ptr<RunningProgram> m_program;
    QString m_truck;
};

// Commands the fixture (the sample truck alone, its template tab shown, nothing selected) leaves
// disabled by their own rules, with the rule.
const std::map<int, const char*>& RegelGesperrt()
{
    static const std::map<int, const char*> liste = {
        {123, "uncouple: no trailer"},
        {532, "work on the trailer: a single truck"},
        {119, "split-view commands: the split tab is not shown"},
        {120, "split-view commands: the split tab is not shown"},
        {121, "split-view commands: the split tab is not shown"},
        {122, "split-view commands: the split tab is not shown"},
        {33288, "split-view commands: the split tab is not shown"},
        {33070, "coupling check: no vehicle with its status flag"},
        {33130, "remove axle: no axle selected"},
        {33132, "axle group: no axle selected"},
        {0xE104, "view toolbar: always disabled"},
        {0xE105, "status bar: always disabled"},
    };
    return liste;
}

// Commands that end the program or stand for the recent-file list: not run here.
bool Sonderfall(int id)
{
    return id == 0xE141 /* exit */ || id == 33096 /* exit */ || id == 33271 /* recent files */;
}

// Commands whose handler belongs to work still open elsewhere, with the issue that owns it.
const std::map<int, const char*>& Offen()
{
    static const std::map<int, const char*> liste = {};
    return liste;
}

} // namespace

TEST_F(CommandTableTest, EveryRibbonCommandEnabledByItsRulesReachesItsHandler)
{
    std::vector<Befehl> befehle;
    for (const RibbonBar::ControlRef& ref : Frame()->Ribbon()->Controls()) {
        // A pure popup only opens its menu; its items are the commands.
        if (ref.spec.id > 0 && ref.spec.type != RIBBON_POPUP)
            befehle.push_back({ref.spec.id, "ribbon", ref.widget, nullptr, nullptr});
        if (auto* button = qobject_cast<QToolButton*>(ref.widget))
            Sammle(button->menu(), "ribbon popup", befehle);
    }
    Sammle(Frame()->Ribbon()->SystemPopup(), "system menu", befehle);
    ASSERT_GT(befehle.size(), 30u);

    ModalWatcher watcher;
    std::set<int> gesehen;
    std::vector<std::string> gesperrt;
    // What each command did, kept for reading: build-test/artifacts/commands/ribbon.txt.
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/commands"));
    QFile protokoll(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/commands/ribbon.txt"));
    ASSERT_TRUE(protokoll.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
    for (const Befehl& b : befehle) {
        if (!gesehen.insert(b.id).second || Sonderfall(b.id))
            continue;
        SCOPED_TRACE(b.quelle + " " + std::to_string(b.id));
        Wiederherstellen();
        if (!Aktiv(b.id)) {
            if (!RegelGesperrt().count(b.id) && !Offen().count(b.id))
                gesperrt.push_back(std::to_string(b.id));
            protokoll.write(QByteArray::number(b.id) + "\tdisabled\t" +
                            (RegelGesperrt().count(b.id) ? RegelGesperrt().at(b.id)
                             : Offen().count(b.id)       ? Offen().at(b.id)
                                                         : "NO RULE") +
                            "\n");
            continue;
        }
        EXPECT_FALSE(RegelGesperrt().count(b.id)) << "enabled, though its rule should disable it here";
        m_boxes.Clear();
        watcher.Take();
        const bool bLief = Frame()->OnCommand(b.id, b.id == 130 ? 1 : -1);
        QCoreApplication::processEvents();
        EXPECT_TRUE(bLief) << "enabled without a handler";
        std::string was = bLief ? "handled" : "NO HANDLER";
        for (const std::string& d : watcher.Take())
            was += ", dialog " + d + " cancelled";
        for (const auto& r : m_boxes.Records())
            was += ", message " + (r.isHtml ? std::to_string(r.html.textId) : r.text.left(40).toStdString());
        protokoll.write(QByteArray::number(b.id) + "\t" + QByteArray::fromStdString(b.quelle) + "\t" +
                        QByteArray::fromStdString(was) + "\n");
    }
    EXPECT_TRUE(gesperrt.empty()) << "disabled by no rule of their own (a missing service?): "
                                  << ::testing::PrintToString(gesperrt);
}

TEST_F(CommandTableTest, DialogCommandsOpenTheirDialogAndNoticesCount)
{
    // Commands that open a dialog: the modal template id (or the class for the system's own).
    struct Fall
    {
        int id;
        std::string dialog;
    };
    const auto vorlage = [](quint32 id) { return "template " + std::to_string(id); };
    const Fall faelle[] = {
        {33101, vorlage(CDlgFileAction2::kTemplateId)},
        {127, vorlage(CDlgFileAction2::kTemplateId)},
        {33124, vorlage(CDlgDataOnNewFzg::kTemplateId)},
        {644, vorlage(CDlgKombiNeu::kTemplateId)},
        {655, vorlage(CDlgImport::kTemplateId)},
        {656, vorlage(CDlgExport::kTemplateId)},
        {33148, vorlage(CDlgNutzbareLF::kTemplateId)},
        {33072, vorlage(CDlgEditLgsFsmExt::kTemplateId)},
        {831, vorlage(CDlgZL::kTemplateId)},
        {892, vorlage(CDlgDrucken2::kTemplateId)},
        {33333, vorlage(CAboutDlg::kTemplateId)},
        {633, vorlage(CDlgHelpText::kTemplateId)},
        {0xE106, "QPageSetupDialog"},
    };
    ModalWatcher watcher;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.id);
        Wiederherstellen();
        ASSERT_TRUE(Aktiv(f.id));
        watcher.Take();
        ASSERT_TRUE(Frame()->OnCommand(f.id));
        QCoreApplication::processEvents();
        const std::vector<std::string> offen = watcher.Take();
        ASSERT_FALSE(offen.empty()) << "no dialog";
        EXPECT_EQ(offen.front(), f.dialog);
    }
    // The notices: 33070 and 33071 show text 658.
    for (int id : {33070, 33071}) {
        SCOPED_TRACE(id);
        Wiederherstellen();
        if (id == 33070) {
            // The coupling check wants a vehicle with its status flag, outside single-vehicle mode.
            CMainFrame::GetActiveDoc()->GetFahrzeug()->m_bMaskeHalten = 1;
            CMainFrame::GetActiveDoc()->m_bEinzelFahrzeug = false;
        }
        m_boxes.Clear();
        ASSERT_TRUE(Aktiv(id));
        ASSERT_TRUE(Frame()->OnCommand(id));
        ASSERT_FALSE(m_boxes.Records().isEmpty());
        EXPECT_EQ(m_boxes.Records().front().html.textId, 658);
    }
}

TEST_F(CommandTableTest, EveryStripButtonAndContextMenuItemReachesItsView)
{
    CTabbedViewView* host = Frame()->ActiveChild()->GetTabbedView();
    std::vector<Befehl> befehle;
    // The strips of every view whose buttons notify the view (the ramp's own strips notify the ramp).
    for (int kind = CTabbedViewView::kTemplate; kind <= CTabbedViewView::k3D; ++kind) {
        CGetAnsView* view = host->GetView(kind);
        ASSERT_NE(view, nullptr) << kind;
        for (CRibBtnContainer* strip : view->findChildren<CRibBtnContainer*>())
            for (int i = 0; i < strip->EntryCount(); ++i)
                if (CRibBtn* button = strip->EntryButton(i); button && button->NotifyWindow() == view)
                    befehle.push_back({int(button->CommandId()), "strip of view " + std::to_string(kind),
                                       button, nullptr, view});
    }
    ASSERT_GT(befehle.size(), 5u);
    // The views' context menus, from the language module.
    const std::pair<quint32, int> menues[] = {{141, CTabbedViewView::kTemplate},
                                              {245, CTabbedViewView::kPlan},
                                              {602, CTabbedViewView::kLgSicherung}};
    for (const auto& [menuId, kind] : menues) {
        QString fehler;
        std::optional<MenuResource> menu = MenuResource::Load(menuId, &fehler);
        ASSERT_TRUE(menu) << fehler.toStdString();
        QMenu q;
        MenuResource::Fill(&q, menu->Popups());
        std::vector<Befehl> items;
        Sammle(&q, "menu " + std::to_string(menuId), items);
        for (Befehl& b : items) {
            b.view = host->GetView(kind);
            b.action = nullptr;
            befehle.push_back(b);
        }
    }

    ModalWatcher watcher;
    std::set<std::pair<int, CGetAnsView*>> gesehen;
    for (const Befehl& b : befehle) {
        if (!gesehen.insert({b.id, b.view}).second)
            continue;
        SCOPED_TRACE(b.quelle + " " + std::to_string(b.id));
        // The view's own rule, where it has one.
        RecordingCmdUI ui;
        ui.m_nID = unsigned(b.id);
        ui.enabled = true;
        b.view->OnUpdateBefehl(b.id, ui);
        if (!ui.enabled)
            continue;
        m_boxes.Clear();
        const bool bLief = b.view->OnBefehl(b.id);
        QCoreApplication::processEvents();
        EXPECT_TRUE(bLief) << "no handler in its view";
    }
}

TEST_F(CommandTableTest, WithoutADocumentTheCommandsThatNeedNoneStayEnabled)
{
    ASSERT_TRUE(Frame()->CloseActiveChild(true));
    QCoreApplication::processEvents();
    ASSERT_EQ(CMainFrame::GetActiveDoc(), nullptr);
    const std::pair<int, bool> faelle[] = {
        {127, true},    {33101, true},  {33124, true}, {644, true},    {655, true},
        {33072, true}, // the catalogue browser works on the catalogue, not on a document
        {656, false},   {33112, false}, {123, false},  {531, false},   {532, false},
        {33148, false}, {33128, false}, {831, false},  {33071, false},
    };
    for (const auto& [id, aktiv] : faelle) {
        SCOPED_TRACE(id);
        EXPECT_EQ(Aktiv(id), aktiv);
    }
    // It opens the browser then too.
    ModalWatcher watcher;
    ASSERT_TRUE(Frame()->OnCommand(33072));
    QCoreApplication::processEvents();
    const std::vector<std::string> offen = watcher.Take();
    ASSERT_FALSE(offen.empty());
    EXPECT_EQ(offen.front(), "template " + std::to_string(CDlgEditLgsFsmExt::kTemplateId));
}

TEST_F(CommandTableTest, TheCatalogueBrowserWaitsOnlyForAPressHeldOnTheShownPlan)
{
    CTabbedViewView* host = Frame()->ActiveChild()->GetTabbedView();
    auto* plan = dynamic_cast<CQOR2View*>(host->GetView(CTabbedViewView::kPlan));
    ASSERT_NE(plan, nullptr);
    struct Fall
    {
        int kind; // the view kind whose tab is shown
        bool gedrueckt;
        bool aktiv;
    };
    const Fall faelle[] = {
        {CTabbedViewView::kPlan, false, true},
        {CTabbedViewView::kPlan, true, false},
        {CTabbedViewView::kTemplate, true, true}, // the plan is not shown
        {CTabbedViewView::k3D, false, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.kind) + (f.gedrueckt ? " pressed" : ""));
        const int tab = host->FindTabOfKind(f.kind);
        ASSERT_GE(tab, 0);
        ASSERT_TRUE(host->SelectTab(tab));
        plan->m_bTasteUnten = f.gedrueckt;
        EXPECT_EQ(Aktiv(33072), f.aktiv);
        plan->m_bTasteUnten = false;
    }
}
