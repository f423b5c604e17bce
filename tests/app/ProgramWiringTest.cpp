// The program started in process the way main() starts it: every seam holds its real partner (no
// stand-in, no test double), no stand-in view is reachable, and the start and exit calls run.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CMainFrameViewShell.h"
#include "app/CQORRibbonBar.h"
#include "app/CQtDocumentHost.h"
#include "app/FrameLoop.h"
#include "app/RunningProgram.h"
#include "catalogue/CHlbAdapter.h"
#include "catalogue/CLaderampe3.h"
#include "catalogue/CPlanEditDialogs.h"
#include "catalogue/CRampenDialogs.h"
#include "catalogue/CatalogueImages.h"
#include "catalogue/ProgramCatalogue.h"
#include "loadsecuring/CLgSichgDialoge.h"
#include "loadsecuring/CLgSichgWizardLink.h"
#include "loadsecuring/CQORLgSicherungView.h"
#include "loadsecuring/ISecuringDialogs.h"
#include "loadsecuring/ISecuringWizard.h"
#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/SIMPEXP_FZG.h"
#include "model/files/VehicleFiles.h"
#include "platform/ResourceModule.h"
#include "reports/PdfExport.h"
#include "tests/support/ProgramSandbox.h"
#include "tests/support/views/C3DStandIn.h"
#include "tests/support/views/CLgSicherungStandIn.h"
#include "tests/support/views/CPlaceholderView.h"
#include "ui/IMessageBoxService.h"
#include "ui/QtMessageBoxService.h"
#include "view3d/CQOR3DView.h"
#include "view3d/CTimerManager.h"
#include "view3d/InputState.h"
#include "view3d/Render3DServiceProvider.h"
#include "views/CQOR1View.h"
#include "views/CQOR2View.h"
#include "views/CTTFrameAnimation.h"
#include "views/CTabbedViewView.h"
#include "views/CWndSliderFactory.h"
#include "views/IFrameAnimation.h"
#include "views/IPlanDialogs.h"
#include "views/ISliderFactory.h"
#include "views/IViewShell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScrollArea>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

class ProgramWiringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(m_sandbox.Prepare());
        m_program = m_sandbox.Folder();
        // The program's 3D models, read by the preload.
        ASSERT_TRUE(QFile::link(QCoreApplication::applicationDirPath() + QStringLiteral("/Modelle"),
                                m_program + QStringLiteral("Modelle")));
        QCoreApplication::setOrganizationName(QStringLiteral("Korvelandt"));
        QCoreApplication::setApplicationName(QStringLiteral("QOR"));
    }

    void TearDown() override { m_sandbox.RestoreDataHome(); }

    // The options of an ordinary start, only without the splash time; the OpenGL probe answers OK so
    // that the 3D start-up runs its whole way (the views make their own contexts when shown).
    CQOR2App::Options Options() const
    {
        CQOR2App::Options options = m_sandbox.Options();
        options.probe = [](const QString&) {
            GlProbeResult result;
            result.status = GlProbeResult::Status::Ok;
            result.refreshRate = 60.0;
            return result;
        };
        return options;
    }

    QString UserRoot() const
    {
        return m_sandbox.Path(QStringLiteral("data/Korvelandt/QOR/QOR Load Planning/"));
    }

    ProgramSandbox m_sandbox;
    QString m_program; // the program folder
};

// One row of the wiring table in CONTRIBUTING.md: the seam and whether its real partner is in place.
struct WiringRow
{
    const char* seam;
    std::function<bool()> real;
};

TEST_F(ProgramWiringTest, EverySeamHoldsItsRealPartner)
{
    QString error;
    std::unique_ptr<RunningProgram> program = StartProgram(Options(), &error);
    ASSERT_TRUE(program) << error.toStdString();
    CQOR2App& app = program->App();
    CMainFrame* frame = program->MainFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(ProcessUntil([&] { return frame->AfterStartDone(); }));
    const DocumentServices& services = frame->Services();
    const fs::path root = fs::path(UserRoot().toStdString());

    QScrollArea view;
    const std::vector<WiringRow> rows = {
        {"ResourceModule::SetCurrent",
         [&] { return ResourceModule::Current() && ResourceModule::Current() == app.Module(); }},
        {"SIMPEXP_FZG::s_strSprache", [] { return SIMPEXP_FZG::s_strSprache == "EN"; }},
        {"SetFahrzeugSpeicherMeldung", [] { return GetFahrzeugSpeicherMeldung() != nullptr; }},
        {"IViewShell in the run",
         [&] {
             return dynamic_cast<CMainFrameViewShell*>(&IViewShell::Of(&app.GetProgramRun())) != nullptr;
         }},
        {"ISliderFactory in the run",
         [&] {
             return dynamic_cast<CWndSliderFactory*>(&ISliderFactory::Of(&app.GetProgramRun())) != nullptr;
         }},
        {"IPlanDialogs in the run",
         [&] { return &IPlanDialogs::Of(&app.GetProgramRun()) == &frame->PlanDialogs(); }},
        {"CPlanEditDialogs::SetRampen",
         [&] { return dynamic_cast<CRampenDialogs*>(frame->PlanDialogs().Rampen()) != nullptr; }},
        {"IPlanDialogs::SetFsmEditor", [] { return IPlanDialogs::HasFsmEditor(); }},
        {"CHlbAdapter::SetFsmItemEditor", [] { return CHlbAdapter::HasFsmItemEditor(); }},
        {"CLaderampe3::SetEditorOeffner", [] { return CLaderampe3::HasEditorOeffner(); }},
        {"IFrameAnimation::SetViewCreator",
         [&] {
             return IFrameAnimation::HasViewCreator() &&
                    dynamic_cast<CTTFrameAnimation*>(IFrameAnimation::Create(&view).get()) != nullptr;
         }},
        {"ISecuringDialogs of the run",
         [&] {
             return dynamic_cast<CLgSichgDialoge*>(&ISecuringDialogs::Of(&app.GetProgramRun())) != nullptr;
         }},
        {"ISecuringWizard::SetFactory",
         [] {
             using Make = std::unique_ptr<ISecuringWizard> (*)(CQORLgSicherungView&, int);
             const Make* made = ISecuringWizard::CurrentFactory().target<Make>();
             return made && *made == &CLgSichgWizardLink::Make;
         }},
        // The export dialog of the PDF reports is the program's own unless a test sets another.
        {"PdfExport::SetExportDialog", [] { return !PdfExport::HasExportDialog(); }},
        {"IRender3DServices in the run",
         [&] { return app.GetProgramRun().Find<IRender3DServices>() == &program->Services3D(); }},
        {"model preload", [&] { return program->Services3D().Cache().LoadCount() == 54; }},
        {"FrameLoop::SetRenderStep (View3DDevice::RenderAll)", [&] { return app.Loop().HasRenderStep(); }},
        {"InitDirectInput", [&] { return app.Device3D().Input().Poll(0) == 0; }},
        {"View3DDevice::SetModelCache",
         [&] { return app.Device3D().ModelCacheInUse() == &program->Services3D().Cache(); }},
        {"View3DDevice::SetDevice",
         // Usable exactly while the window system can make OpenGL contexts (not on offscreen).
         [&] {
             View3DDevice& device = app.Device3D();
             return device.HasDevice() && device.CheckDevice() == (device.Is3DAvailable() ? 1 : 0);
         }},
        {"SetProgramFolders",
         [&] { return GetProgramFolders().program == fs::path(m_program.toStdString()); }},
        {"ProgramCatalogue::SetFolders",
         [&] { return ProgramCatalogue::Folders().loadUnits == root / "load units"; }},
        {"CatalogueImages::Set", [&] { return CatalogueImages::List() == &app.CatalogueImages(); }},
        {"message boxes", [] { return dynamic_cast<QtMessageBoxService*>(&MessageBoxes()) != nullptr; }},
        {"DocumentServices::open", [&] { return static_cast<bool>(services.open); }},
        {"DocumentServices::askSaveName", [&] { return static_cast<bool>(services.askSaveName); }},
        {"DocumentServices::newKombination", [&] { return static_cast<bool>(services.newKombination); }},
        {"DocumentServices::newFahrzeug", [&] { return static_cast<bool>(services.newFahrzeug); }},
        {"DocumentServices::nutzbareLF", [&] { return static_cast<bool>(services.nutzbareLF); }},
        {"DocumentServices::importFile", [&] { return static_cast<bool>(services.importFile); }},
        {"DocumentServices::exportDoc", [&] { return static_cast<bool>(services.exportDoc); }},
        {"DocumentServices::editLgsFsmExt", [&] { return static_cast<bool>(services.editLgsFsmExt); }},
    };
    for (const WiringRow& row : rows) {
        SCOPED_TRACE(row.seam);
        EXPECT_TRUE(row.real());
    }

    // The first start opens the sample truck; every view of its window is the real one.
    CQOR1Doc* doc = CMainFrame::GetActiveDoc();
    ASSERT_NE(doc, nullptr);
    CChildFrame* child = frame->ActiveChild();
    ASSERT_NE(child, nullptr);
    CTabbedViewView* host = child->GetTabbedView();
    ASSERT_NE(host, nullptr);
    // The window and its views take their services from the application's run.
    EXPECT_EQ(host->GetProgramRun(), &app.GetProgramRun());
    // The document reaches its window through the Qt document host.
    EXPECT_NE(child->GetHost(), nullptr);
    for (int kind = CTabbedViewView::kTemplate; kind <= CTabbedViewView::k3D; ++kind) {
        SCOPED_TRACE(kind);
        CGetAnsView* shown = host->GetView(kind);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(&shown->GetProgramRun(), &app.GetProgramRun());
        EXPECT_EQ(dynamic_cast<CPlaceholderView*>(shown), nullptr);
        EXPECT_EQ(dynamic_cast<CLgSicherungStandIn*>(shown), nullptr);
        EXPECT_EQ(dynamic_cast<C3DStandIn*>(shown), nullptr);
    }
    EXPECT_NE(host->FindView<CQOR1View>(), nullptr);
    EXPECT_NE(host->FindView<CQOR2View>(), nullptr);
    EXPECT_NE(host->FindView<CQORLgSicherungView>(), nullptr);
    EXPECT_NE(host->FindView<CQOR3DView>(), nullptr);
    // The program makes no stand-in view for any kind.
    for (int kind = 0; kind < CTabbedViewView::kKindCount; ++kind) {
        SCOPED_TRACE(kind);
        std::unique_ptr<CGetAnsView> made(CChildFrame::MakeView(kind, doc, app.Device3D()));
        EXPECT_EQ(dynamic_cast<CPlaceholderView*>(made.get()), nullptr);
        EXPECT_EQ(dynamic_cast<CLgSicherungStandIn*>(made.get()), nullptr);
        EXPECT_EQ(dynamic_cast<C3DStandIn*>(made.get()), nullptr);
    }

    frame->close();
    program.reset();
    // What the program installed is gone with it.
    EXPECT_FALSE(IFrameAnimation::HasViewCreator());
    EXPECT_FALSE(CLaderampe3::HasEditorOeffner());
}

// What the document and the views ask of the frame is answered from the active window's real views:
// the view mode follows the template view's payload chart and the 3D view's own switch; the 3D view
// renders only while it can be seen.
TEST_F(ProgramWiringTest, TheFrameAnswersFromTheActiveWindowsViews)
{
    QString error;
    std::unique_ptr<RunningProgram> program = StartProgram(Options(), &error);
    ASSERT_TRUE(program) << error.toStdString();
    CMainFrame* frame = program->MainFrame();
    ASSERT_TRUE(ProcessUntil([&] { return frame->AfterStartDone(); }));
    ASSERT_NE(frame->ActiveChild(), nullptr);
    CTabbedViewView* host = frame->ActiveChild()->GetTabbedView();
    CQOR1View* vorlage = host->FindView<CQOR1View>();
    CQOR3DView* view3D = host->FindView<CQOR3DView>();
    ASSERT_NE(vorlage, nullptr);
    ASSERT_NE(view3D, nullptr);

    EXPECT_FALSE(CMainFrame::IsActiveViewModeSet());
    ASSERT_TRUE(vorlage->OnBefehl(33255));
    EXPECT_TRUE(CMainFrame::IsActiveViewModeSet());
    ASSERT_TRUE(vorlage->OnBefehl(33255));
    EXPECT_FALSE(CMainFrame::IsActiveViewModeSet());
    view3D->SetShowFrame(1);
    EXPECT_TRUE(CMainFrame::IsActiveViewModeSet());
    view3D->SetShowFrame(0);

    // The load-securing wizard greys the Options popup; the update pass leaves it so.
    QWidget* options = frame->Ribbon()->Control(802);
    ASSERT_NE(options, nullptr);
    IViewShell::Of(&frame->GetProgramRun()).EnableFrameControl(802, false);
    frame->UpdateCommandUI();
    EXPECT_FALSE(options->isEnabled());
    IViewShell::Of(&frame->GetProgramRun()).EnableFrameControl(802, true);
    EXPECT_TRUE(options->isEnabled());

    host->ShowView(CTabbedViewView::kTemplate);
    // The template view with its hint animations as the program shows it.
    frame->resize(1200, 800);
    QCoreApplication::processEvents();
    const QString artifacts = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/app");
    QDir().mkpath(artifacts);
    EXPECT_TRUE(vorlage->grab().save(artifacts + QStringLiteral("/template_view_started.png")));
    view3D->SetRenderFlag(1, true);
    EXPECT_TRUE(CMainFrame::Update3DViewRenderFlag());
    EXPECT_FALSE(view3D->NeedsRenderFlag(1));
    frame->close();
}

// Start-up moves load units out of sub-folders and preloads the models; exit releases the models, gives
// the lock back and deletes the pictures no file refers to.
TEST_F(ProgramWiringTest, StartMigratesLoadUnitsAndExitDeletesUnusedPictures)
{
    const QString root = UserRoot();
    QDir().mkpath(root + QStringLiteral("load units/old folder"));
    QDir().mkpath(root + QStringLiteral("Data"));
    {
        QFile unused(root + QStringLiteral("Data/unused.dat"));
        ASSERT_TRUE(unused.open(QIODevice::WriteOnly));
        unused.write("picture");
    }
    // A load unit in a sub-folder: the sample pallet copied there.
    std::error_code ec;
    fs::path pallet;
    for (const auto& entry : fs::recursive_directory_iterator(QOR_SAMPLES_DIR, ec))
        if (entry.path().extension() == ".lgs") {
            pallet = entry.path();
            break;
        }
    ASSERT_FALSE(pallet.empty());
    fs::copy_file(pallet, (root + QStringLiteral("load units/old folder/pallet.lgs")).toStdString(), ec);
    ASSERT_FALSE(ec) << ec.message();

    QString error;
    std::unique_ptr<RunningProgram> program = StartProgram(Options(), &error);
    ASSERT_TRUE(program) << error.toStdString();
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("load units/pallet.lgs")));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("load units/old folder/pallet.lgs")));
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("lock.tmp")));

    EXPECT_EQ(program->Services3D().Cache().CachedCount(), 54);

    program->MainFrame()->close();
    program->Exit();
    // The model cache and the input are released, the lock is given back.
    EXPECT_EQ(program->Services3D().Cache().CachedCount(), 0);
    EXPECT_EQ(program->App().Device3D().Input().Poll(0), 1);
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("lock.tmp")));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("Data/unused.dat")));
    EXPECT_GE(program->App().PicturesDeletedAtExit(), 1);
    // A second Exit does nothing more.
    program->Exit();
}

} // namespace
