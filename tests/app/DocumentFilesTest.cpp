// Opening, closing and coupling vehicles in the main window: the child window and its document, the
// file operations, the document commands and their states, on copies of the samples in a temporary
// folder.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/CQOR2StatusBar.h"
#include "app/CQORRibbonBar.h"
#include "app/OpenFileEvent.h"
#include "catalogue/CDlgDataOnNewFzg.h"
#include "catalogue/CDlgDsr.h"
#include "catalogue/CDlgFileAction2.h"
#include "catalogue/CDlgKombiNeu.h"
#include "catalogue/CDlgNutzbareLF.h"
#include "catalogue/CFileTreeCtrlFilter.h"
#include "catalogue/CHListbox.h"
#include "catalogue/CPlanEditDialogs.h"
#include "loadsecuring/CDlgEditLgsFsmExt.h"
#include "model/archive/ArchiveWriter.h"
#include "model/base/LockedFile.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/CAppStateParams.h"
#include "model/files/CImpExp.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/tagZLINFO.h"
#include "platform/CCmdUI.h"
#include "platform/ResourceModule.h"
#include "reports/CDlgDrucken2.h"
#include "reports/CDlgImport.h"
#include "tests/support/ProgramSandbox.h"
#include "tests/support/RecordingCmdUI.h"
#include "tests/support/views/CPlaceholderView.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ProgramRun.h"
#include "ui/RegionalVersion.h"
#include "ui/ScriptedMessageBoxService.h"
#include "ui/SliderHint.h"
#include "view3d/CQOR3DView.h"
#include "views/CQOR1View.h"
#include "views/CQORMultiView.h"
#include "views/CTabbedViewView.h"
#include "views/ILastDlg.h"
#include "views/IPlanDialogs.h"
#include "views/IViewShell.h"
#include "views/RenderFlagEvent.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Runs `act` on the modal dialog of class T once it shows (from within its own event loop); `done`
// tells whether it ran.
template <class T> void WhenModal(const std::function<void(T&)>& act, bool* done)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, done] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        dialog->KickIdle();
        act(*dialog);
        *done = true;
    });
    timer->start();
}

void Press(CDlgBase& dialog, int id)
{
    dialog.KickIdle();
    if (auto* button = qobject_cast<QAbstractButton*>(ControlId::Find(&dialog, id)))
        button->click();
}

// A loading-plan view that refuses to be left while `refuse` is set and counts the questions.
class LeaveView : public CPlaceholderView
{
public:
    LeaveView(CQOR1Doc* doc, bool* refuse, int* asked)
        : CPlaceholderView(doc, 197, 2), m_refuse(refuse), m_asked(asked)
    {
    }
    bool CanLeave(VerlassenGrund, int, std::string* message) override
    {
        ++*m_asked;
        if (*m_refuse && message)
            *message = "Finish the entry first.";
        return *m_refuse; // true refuses
    }

private:
    bool* m_refuse;
    int* m_asked;
};

class DocumentFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(m_sandbox.Prepare());
        m_program = m_sandbox.Folder();
        CChildFrame::SetViewFactory([this](int kind, CQOR1Doc* doc) -> CGetAnsView* {
            if (kind == CTabbedViewView::kPlan)
                return new LeaveView(doc, &m_refuse, &m_asked);
            return CChildFrame::MakeView(kind, doc, m_app->Device3D());
        });
    }

    void TearDown() override
    {
        m_app.reset();
        CChildFrame::SetViewFactory({});
        m_sandbox.RestoreDataHome();
    }

    // Starts the program with `arguments` after its name and waits for the after-start message.
    void Start(const QStringList& arguments = {}, bool recentFile = true)
    {
        if (recentFile)
            m_sandbox.MarkNotFirstStart();
        CQOR2App::Options options = m_sandbox.Options();
        options.arguments += arguments;
        m_app = std::make_unique<CQOR2App>(options);
        ASSERT_TRUE(m_app->InitInstance()) << m_app->StartError().toStdString();
        ASSERT_TRUE(ProcessUntil([&] { return Frame()->AfterStartDone(); }));
    }

    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CQOR1Doc* Doc() const { return CMainFrame::GetActiveDoc(); }
    int ChildCount() const { return int(Frame()->MdiArea()->subWindowList().size()); }

    // A fresh copy of a sample vehicle (by the string id of its name) in the test's own folder.
    QString Sample(quint32 nameId, const QString& copyName = QString())
    {
        const QString source = m_app->UserRoot() + QStringLiteral("Samples/vehicles/") +
                               QString::fromStdString(LoadResString(259)) + QLatin1Char('/') +
                               QString::fromStdString(LoadResString(nameId)) + QStringLiteral(".qor");
        QDir().mkpath(m_sandbox.Path(QStringLiteral("work")));
        const QString target = m_sandbox.Path(QStringLiteral("work/") +
                                              (copyName.isEmpty() ? QString::number(nameId) : copyName) +
                                              QStringLiteral(".qor"));
        QFile::remove(target);
        EXPECT_TRUE(QFile::copy(source, target)) << source.toStdString();
        QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return target;
    }

    static std::unique_ptr<CFahrzeug> ReadBack(const QString& path, int entry = 0)
    {
        return LoadFahrzeugFromFile(fs::path(path.toStdString()), entry, nullptr, nullptr, false, nullptr);
    }

    ProgramSandbox m_sandbox;
    QString m_program; // the program folder
    ScriptedMessageBoxService m_boxes;
    std::unique_ptr<CQOR2App> m_app;
    bool m_refuse = false;
    int m_asked = 0;
};

constexpr quint32 kTruck = 260;
constexpr quint32 kTractor = 268;
constexpr quint32 kVan = 278;
constexpr quint32 kSemiTrailer = 281;
constexpr quint32 kDrawbarTrailer = 283;
constexpr quint32 kCentreAxleTrailer = 285;

TEST_F(DocumentFilesTest, AFirstStartShowsTheSampleTruckAndLaterStartsOpenNothing)
{
    Start({}, false);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_TRUE(
        QString::fromStdString(Doc()->GetPathName()).endsWith(QStringLiteral("/Rigid truck 18 t.qor")));
    EXPECT_EQ(ChildCount(), 1);
    EXPECT_TRUE(m_boxes.Records().isEmpty());
    Frame()->UpdateCommandUI();
    const QLabel* mass = Frame()->StatusBar()->Pane(CQOR2StatusBar::kMassPane);
    ASSERT_NE(mass, nullptr);
    EXPECT_FALSE(mass->text().isEmpty());

    // The picture of the main window with the truck open, kept for looking at.
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    const QImage picture = Frame()->grab().toImage();
    picture.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/main_window_truck.png"));
    EXPECT_EQ(picture.size(), Frame()->size());

    Frame()->close();
    m_app.reset();
    // The truck is in the recent files now: the next start opens nothing.
    Start({}, false);
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_EQ(ChildCount(), 0);
}

TEST_F(DocumentFilesTest, EachSampleOpensCaptionedByItsTitle)
{
    Start();
    for (quint32 id : {kTruck, kTractor, kVan, kSemiTrailer, kDrawbarTrailer, kCentreAxleTrailer}) {
        SCOPED_TRACE(id);
        const QString path = Sample(id);
        ASSERT_TRUE(Frame()->OpenFile(path, -1, false))
            << (m_boxes.Records().isEmpty() ? std::string() : m_boxes.Records().last().text.toStdString());
        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(QString::fromStdString(Doc()->GetPathName()), path);
        EXPECT_EQ(Frame()->ActiveChild()->windowTitle(), QString::fromStdString(Doc()->GetTitel(false)));
        EXPECT_EQ(Doc()->GetAnhaenger(), nullptr);
        QCoreApplication::processEvents();
        EXPECT_EQ(ChildCount(), 1); // the one before closed
    }
    EXPECT_TRUE(m_boxes.Records().isEmpty());
}

TEST_F(DocumentFilesTest, TheTemplateTabOfEachWindowDrawsItsSample)
{
    Start();
    for (quint32 id : {kTruck, kTractor, kVan, kSemiTrailer, kDrawbarTrailer, kCentreAxleTrailer}) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(Frame()->OpenFile(Sample(id), -1, false));
        auto* view = dynamic_cast<CQOR1View*>(
            Frame()->ActiveChild()->GetTabbedView()->GetView(CTabbedViewView::kTemplate));
        ASSERT_NE(view, nullptr);
        const QImage picture = view->RenderPicture(QSize(800, 600));
        ASSERT_NE(view->GetDIBFahrzeug(), nullptr);
        EXPECT_EQ(view->GetDIBFahrzeug()->GetFahrzeug(), Doc()->GetFahrzeug());
        // Something besides white was drawn on the origin line.
        int dunkel = 0;
        for (int x = 0; x < picture.width(); ++x)
            dunkel += qGray(picture.pixel(x, 313)) < 128 ? 1 : 0;
        EXPECT_GT(dunkel, 0);
        QCoreApplication::processEvents();
    }
}

TEST_F(DocumentFilesTest, OpeningTheOpenFileKeepsItsWindow)
{
    Start();
    const QString path = Sample(kTruck);
    ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
    CChildFrame* child = Frame()->ActiveChild();
    m_asked = 0;
    EXPECT_TRUE(Frame()->OpenFile(path, -1, false));
    EXPECT_TRUE(m_app->OpenDocumentFile(path));
    EXPECT_EQ(Frame()->ActiveChild(), child);
    EXPECT_EQ(Frame()->IsFileOpen(path, 0), 1);
    EXPECT_EQ(Frame()->IsFileOpen(Sample(kVan), 0), 0);
}

TEST_F(DocumentFilesTest, TheOpenFileMessageOpensItsEntryAndTheWindowsCanBeWalked)
{
    Start();
    EXPECT_EQ(CMainFrame::GetFirstChildFramePosition(), -1);
    const QString path = Sample(kTruck);
    QCoreApplication::postEvent(Frame(), new OpenFileEvent(path, 0, true));
    QCoreApplication::sendPostedEvents(Frame());
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(QString::fromStdString(Doc()->GetPathName()), path);
    EXPECT_TRUE(Doc()->m_bEinzelFahrzeug);
    EXPECT_TRUE(Frame()->IsEinzelFahrzeug());

    int pos = CMainFrame::GetFirstChildFramePosition();
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(CMainFrame::GetNextChildFrame(pos), Frame()->ActiveChild());
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(CMainFrame::GetNextChildFrame(pos), nullptr);
    ASSERT_TRUE(Frame()->CloseActiveChild());
    EXPECT_EQ(CMainFrame::GetFirstChildFramePosition(), -1);
}

TEST_F(DocumentFilesTest, AnUnreadableFileGivesItsMessageAndLeavesNoWindowAndTheFileUnchanged)
{
    Start();
    const QString good = Sample(kTruck);
    const QByteArray truck = ReadAll(good);
    std::unique_ptr<CFahrzeug> vehicle = ReadBack(good);
    ASSERT_NE(vehicle, nullptr);

    // The first version held one vehicle object and no file root.
    ArchiveWriter first;
    first.WriteObject(vehicle.get());
    // A root written by a later version of the program.
    ClassInfo newer = CImpExp::classInfo;
    newer.schema = CImpExp::kSchema + 1;
    ArchiveWriter later;
    later.WriteClass(newer);
    later.WriteClass(newer);
    const std::vector<std::uint8_t> firstBytes = first.TakeData();
    const std::vector<std::uint8_t> laterBytes = later.TakeData();

    const struct
    {
        const char* name;
        QByteArray bytes;
        const char* expected; // part of the message
    } cases[] = {
        {"truncated", truck.left(truck.size() / 2), "damaged"},
        {"empty", QByteArray(), "damaged"},
        {"first version",
         QByteArray(reinterpret_cast<const char*>(firstBytes.data()), qsizetype(firstBytes.size())),
         "first version"},
        {"newer", QByteArray(reinterpret_cast<const char*>(laterBytes.data()), qsizetype(laterBytes.size())),
         "file version 7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = m_sandbox.Path(QStringLiteral("work/%1.qor").arg(QLatin1String(c.name)));
        WriteAll(path, c.bytes);
        m_boxes.Clear();
        EXPECT_FALSE(Frame()->OpenFile(path, -1, false));
        QCoreApplication::processEvents();
        EXPECT_EQ(ChildCount(), 0);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_EQ(m_boxes.Records()[0].caption, QStringLiteral("Open vehicle"));
        EXPECT_TRUE(m_boxes.Records()[0].text.contains(path)) << m_boxes.Records()[0].text.toStdString();
        EXPECT_TRUE(m_boxes.Records()[0].text.contains(QLatin1String(c.expected)))
            << m_boxes.Records()[0].text.toStdString();
        EXPECT_EQ(ReadAll(path), c.bytes);
    }
    m_boxes.Clear();
    EXPECT_FALSE(Frame()->OpenFile(m_sandbox.Path(QStringLiteral("work/missing.qor")), -1, false));
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_TRUE(m_boxes.Records()[0].text.contains(QStringLiteral("does not exist")));
}

TEST_F(DocumentFilesTest, AChangeIsWrittenWhenTheWindowClosesAndThePathEntersTheRecentFiles)
{
    Start();
    const QString path = Sample(kTruck);
    ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
    Doc()->GetFahrzeug()->m_strBemerkung = "KV-QR 22";
    Doc()->GetFahrzeug()->m_bModified = 1;
    EXPECT_TRUE(Frame()->CloseActiveChild());
    EXPECT_EQ(Doc(), nullptr);
    std::unique_ptr<CFahrzeug> back = ReadBack(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->m_strBemerkung, "KV-QR 22");
    EXPECT_EQ(m_app->RecentFiles().value(0), path);
    EXPECT_TRUE(m_boxes.Records().isEmpty());
}

TEST_F(DocumentFilesTest, ARefusingViewKeepsTheWindowAndNoSaveStillAsksTheViews)
{
    Start();
    const QString path = Sample(kTruck);
    ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
    CChildFrame* child = Frame()->ActiveChild();
    Doc()->GetFahrzeug()->m_strBemerkung = "changed";
    Doc()->GetFahrzeug()->m_bModified = 1;
    const QByteArray before = ReadAll(path);

    m_refuse = true;
    m_asked = 0;
    EXPECT_FALSE(Frame()->CloseActiveChild());
    EXPECT_FALSE(child->CloseFromFrame(true, false)); // no-save asks the views too
    EXPECT_FALSE(m_app->OpenDocumentFile(Sample(kVan)) && Frame()->ActiveChild() != child);
    EXPECT_EQ(Frame()->ActiveChild(), child);
    EXPECT_GE(m_asked, 3);
    EXPECT_EQ(ReadAll(path), before);

    m_refuse = false;
    m_asked = 0;
    EXPECT_TRUE(child->CloseFromFrame(true, false));
    EXPECT_EQ(m_asked, 1);
    EXPECT_EQ(ReadAll(path), before); // closed without saving
    EXPECT_EQ(m_app->RecentFiles().value(0), path);
}

TEST_F(DocumentFilesTest, AFileHeldByAnotherWriterAsksBeforeClosingWithoutItsChanges)
{
    Start();
    const QString path = Sample(kTruck);
    // Another program holds the file for writing: the document gets it for reading only.
    std::unique_ptr<LockedFile> other =
        LockedFile::Open(fs::path(path.toStdString()), LockedFile::Mode::ReadWrite);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
    Doc()->GetFahrzeug()->m_strBemerkung = "changed";
    Doc()->GetFahrzeug()->m_bModified = 1;
    const QByteArray before = ReadAll(path);

    m_boxes.AddAnswer(CChildFrame::kCancel);
    EXPECT_FALSE(Frame()->CloseActiveChild());
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_TRUE(m_boxes.Records()[0].html.text.contains(QStringLiteral("could not be saved")));
    EXPECT_NE(Doc(), nullptr);

    m_boxes.Clear();
    m_boxes.AddAnswer(CChildFrame::kCloseWithoutSaving);
    EXPECT_TRUE(Frame()->CloseActiveChild());
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_EQ(ReadAll(path), before);

    // Save as: a new file of another name takes the changes.
    ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
    Doc()->GetFahrzeug()->m_strBemerkung = "saved elsewhere";
    Doc()->GetFahrzeug()->m_bModified = 1;
    const QString folder = m_sandbox.Path(QStringLiteral("other")) + QLatin1Char('/');
    QDir().mkpath(folder);
    Frame()->Services().askSaveName = [&](QWidget*, bool, const QString&, QString& f, QString& n) {
        f = folder;
        n = QStringLiteral("Copy");
        return true;
    };
    m_boxes.Clear();
    m_boxes.AddAnswer(CChildFrame::kSaveAs);
    EXPECT_TRUE(Frame()->CloseActiveChild());
    std::unique_ptr<CFahrzeug> copy = ReadBack(folder + QStringLiteral("Copy.qor"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->m_strBemerkung, "saved elsewhere");
    EXPECT_EQ(ReadAll(path), before);
}

TEST_F(DocumentFilesTest, APartnerIsCoupledSavedReopenedAndUncoupled)
{
    Start();
    const QString truckPath = Sample(kTruck);
    const QString trailerPath = Sample(kDrawbarTrailer);
    ASSERT_TRUE(Frame()->OpenFile(truckPath, -1, false));
    // Equipment of type 5 on the truck goes when a trailer is coupled.
    auto* item = new tagZLINFO;
    item->m_nTyp = 5;
    Doc()->GetFahrzeug()->AddZL(std::unique_ptr<tagZLINFO>(item));

    // A trailer that cannot be read leaves the truck alone.
    const QString broken = m_sandbox.Path(QStringLiteral("work/broken.qor"));
    WriteAll(broken, ReadAll(trailerPath).left(40));
    EXPECT_FALSE(Frame()->LoadPartnerFromFile(broken));
    EXPECT_EQ(Doc()->GetAnhaenger(), nullptr);
    EXPECT_EQ(Doc()->GetFahrzeug()->GetArt(), FahrzeugArt::kZugmaschine);
    m_boxes.Clear();

    ASSERT_TRUE(Frame()->LoadPartnerFromFile(trailerPath));
    ASSERT_NE(Doc()->GetAnhaenger(), nullptr);
    EXPECT_EQ(Doc()->GetAnhaenger()->GetArt(), FahrzeugArt::kAnhaenger);
    EXPECT_EQ(Doc()->GetFirstFahrzeug()->GetArt(), FahrzeugArt::kZugmaschine);
    EXPECT_FALSE(Doc()->GetFirstFahrzeug()->HasZLTyp(5));
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].caption, QStringLiteral("Couple trailer"));
    // The template tab shows the pair from now on: both vehicles and two axle-load pictures.
    auto* multi = dynamic_cast<CQORMultiView*>(
        Frame()->ActiveChild()->GetTabbedView()->GetView(CTabbedViewView::kTemplate));
    ASSERT_NE(multi, nullptr);
    EXPECT_TRUE(multi->HasTowingPair());
    multi->RenderPicture(QSize(1600, 1000));
    EXPECT_FALSE(multi->GetHotRect(54).isEmpty());

    // Saved on closing: the truck's file becomes a combination that opens both vehicles.
    EXPECT_TRUE(Frame()->CloseActiveChild());
    ASSERT_TRUE(Frame()->OpenFile(truckPath, -1, false));
    ASSERT_NE(Doc()->GetAnhaenger(), nullptr);
    EXPECT_EQ(Doc()->GetAnhaenger()->GetArt(), FahrzeugArt::kAnhaenger);
    EXPECT_EQ(Frame()->IsFileOpen(truckPath, 1), 2);

    // Uncoupled without saving: the truck alone, the file as it was.
    const QByteArray combined = ReadAll(truckPath);
    EXPECT_TRUE(Frame()->RemovePartner(true));
    EXPECT_EQ(Doc()->GetAnhaenger(), nullptr);
    EXPECT_EQ(Doc()->GetFahrzeug()->GetArt(), FahrzeugArt::kZugmaschine);
    EXPECT_EQ(ReadAll(truckPath), combined);
    // Opening only the first vehicle of a combination file.
    EXPECT_TRUE(Frame()->CloseActiveChild(true));
    ASSERT_TRUE(Frame()->OpenFile(truckPath, 0, true));
    EXPECT_EQ(Doc()->GetAnhaenger(), nullptr);
    EXPECT_TRUE(Frame()->IsEinzelFahrzeug());
}

TEST_F(DocumentFilesTest, TheVehicleButtonsFollowTheDocument)
{
    Start();
    struct Case
    {
        const char* name;
        quint32 sample;  // 0: no document
        quint32 partner; // 0: single vehicle
        bool bAktivZug;  // the towing vehicle worked on
        bool enable531, enable532;
        int check531, check532;
    };
    const Case cases[] = {
        {"no document", 0, 0, false, false, false, 0, 0},
        {"single truck", kTruck, 0, false, true, false, 1, 0},
        {"single trailer", kDrawbarTrailer, 0, false, false, true, 0, 1},
        {"combination, trailer worked on", kTruck, kDrawbarTrailer, false, true, true, 0, 1},
        {"combination, truck worked on", kTruck, kDrawbarTrailer, true, true, true, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Frame()->CloseActiveChild(true));
        if (c.sample) {
            ASSERT_TRUE(Frame()->OpenFile(Sample(c.sample), 0, false));
            if (c.partner) {
                ASSERT_TRUE(Frame()->LoadPartnerFromFile(Sample(c.partner)));
            }
            if (c.bAktivZug) {
                ASSERT_TRUE(Frame()->OnCommand(531));
            }
        }
        for (const auto& [id, enable, check] :
             {std::tuple{531u, c.enable531, c.check531}, std::tuple{532u, c.enable532, c.check532}}) {
            SCOPED_TRACE(id);
            RecordingCmdUI ui(true);
            ui.m_nID = id;
            ASSERT_TRUE(Frame()->Commands().Update(ui));
            EXPECT_EQ(ui.enabled, enable);
            EXPECT_EQ(ui.check, check);
        }
    }
}

TEST_F(DocumentFilesTest, TheChecksAndNoticesFollowTheVehiclesAndTheirFlags)
{
    Start();
    // What each case changes on the opened fixture before the states are read.
    enum Aenderung
    {
        kNichts = 0,
        kZugStatus = 1,          // the towing (or single) vehicle's status flag
        kAnhaengerPlan = 2,      // the trailer's plan flag
        kAnhaengerGeaendert = 4, // the trailer modified
        kUntertyp = 8,           // the front vehicle reports type 5
        kZugAktiv = 16,          // the towing vehicle worked on
    };
    struct Case
    {
        const char* name;
        quint32 sample;  // 0: no document
        quint32 partner; // 0: single vehicle
        bool bSingle;    // opened in single-vehicle mode
        int aenderung;
        bool e33070, e33071, e33080, e33081, e33110;
    };
    const Case cases[] = {
        {"no document", 0, 0, false, kNichts, false, false, false, false, false},
        {"single truck", kTruck, 0, false, kNichts, false, true, true, false, false},
        {"single truck with status", kTruck, 0, false, kZugStatus, true, true, true, false, false},
        {"single-vehicle mode with status", kTruck, 0, true, kZugStatus, false, true, true, false, false},
        {"truck of type 5", kTruck, 0, false, kUntertyp, false, true, false, false, false},
        {"tractor", kTractor, 0, false, kNichts, false, true, true, false, false},
        {"single trailer", kDrawbarTrailer, 0, false, kNichts, false, true, false, false, false},
        {"combination", kTruck, kDrawbarTrailer, false, kNichts, false, true, true, true, false},
        {"combination, trailer plan flagged", kTruck, kDrawbarTrailer, false, kAnhaengerPlan, true, true,
         true, true, true},
        {"combination, truck worked on, trailer modified", kTruck, kDrawbarTrailer, false,
         kZugAktiv | kAnhaengerGeaendert, false, true, true, false, true},
        {"combination, truck with status worked on", kTruck, kDrawbarTrailer, false, kZugAktiv | kZugStatus,
         true, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Frame()->CloseActiveChild(true));
        if (c.sample) {
            ASSERT_TRUE(Frame()->OpenFile(Sample(c.sample), 0, c.bSingle));
            if (c.partner) {
                ASSERT_TRUE(Frame()->LoadPartnerFromFile(Sample(c.partner)));
            }
            CFahrzeug* pVorn = Doc()->GetFirstFahrzeug();
            CFahrzeug* pAnhaenger = Doc()->GetAnhaenger();
            if (pAnhaenger)
                pAnhaenger->m_bModified = 0; // as if the combination were saved
            if (c.aenderung & kZugStatus)
                pVorn->m_bMaskeHalten = 1;
            if (c.aenderung & kUntertyp)
                pVorn->m_nAchsFlags[9] = 1;
            if (c.aenderung & kAnhaengerPlan) {
                ASSERT_NE(pAnhaenger->GetQor(), nullptr);
                pAnhaenger->GetQor()->m_bStatusFlag = 1;
            }
            if (c.aenderung & kAnhaengerGeaendert)
                pAnhaenger->m_bModified = 1;
            if (c.aenderung & kZugAktiv) {
                ASSERT_TRUE(Frame()->OnCommand(531));
            }
        }
        const std::pair<unsigned, bool> expected[] = {{33070, c.e33070}, {33071, c.e33071},
                                                      {33080, c.e33080}, {33081, c.e33081},
                                                      {33099, c.e33081}, {33110, c.e33110}};
        for (const auto& [id, enable] : expected) {
            SCOPED_TRACE(id);
            RecordingCmdUI ui(true);
            ui.m_nID = id;
            ui.enabled = !enable;
            ASSERT_TRUE(Frame()->Commands().Update(ui));
            EXPECT_EQ(ui.enabled, enable);
        }
    }
    // The withdrawn functions answer with their notice; the empty ones do nothing.
    m_boxes.Clear();
    for (unsigned id : {33073u, 33099u, 33110u, 33098u})
        EXPECT_TRUE(Frame()->OnCommand(int(id)));
    ASSERT_EQ(m_boxes.Records().size(), 4);
    EXPECT_EQ(m_boxes.Records()[0].text, QString::fromStdString(LoadResString(1401)));
    EXPECT_EQ(m_boxes.Records()[3].text, QString::fromStdString(LoadResString(1402)));
    m_boxes.Clear();
    EXPECT_TRUE(Frame()->OnCommand(33083));
    EXPECT_TRUE(m_boxes.Records().isEmpty());
    ASSERT_TRUE(Frame()->CloseActiveChild(true));
}

TEST_F(DocumentFilesTest, ACommandWhoseDialogIsMissingIsDisabled)
{
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), 0, false));
    DocumentServices& services = Frame()->Services();
    services = DocumentServices();
    const unsigned ids[] = {127, 33101, 33124, 644, 655, 656, 33148, 33072};
    for (unsigned id : ids) {
        SCOPED_TRACE(id);
        RecordingCmdUI ui(true);
        ui.m_nID = id;
        ASSERT_TRUE(Frame()->Commands().Update(ui));
        EXPECT_FALSE(ui.enabled);
    }
    int calls = 0;
    services.open = [&](QWidget*, DocumentServices::OpenChoice&) { return ++calls, false; };
    services.newFahrzeug = [&](QWidget*, DocumentServices::NeuChoice&) { return ++calls, false; };
    services.newKombination = [&](QWidget*, DocumentServices::KombiChoice&) { return ++calls, false; };
    services.importFile = [&](QWidget*, const QString&) { ++calls; };
    services.exportDoc = [&](QWidget*, CQOR1Doc*) { ++calls; };
    services.nutzbareLF = [&](QWidget*, CQOR1Doc*) { ++calls; };
    services.editLgsFsmExt = [&](QWidget*, CQOR1Doc*) { ++calls; };
    for (unsigned id : ids) {
        SCOPED_TRACE(id);
        RecordingCmdUI ui(true);
        ui.m_nID = id;
        ui.enabled = false;
        ASSERT_TRUE(Frame()->Commands().Update(ui));
        EXPECT_TRUE(ui.enabled);
    }
}

TEST_F(DocumentFilesTest, TheCatalogueCommandOpensTheBrowserOnTheUsersCatalogue)
{
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), 0, false));
    RecordingCmdUI ui(true);
    ui.m_nID = 33072;
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_TRUE(ui.enabled);
    int tiles = -1;
    // The browser runs modally: look at it once it is up, then close it.
    QTimer::singleShot(0, Frame(), [&] {
        auto* browser = dynamic_cast<CDlgEditLgsFsmExt*>(QApplication::activeModalWidget());
        if (!browser)
            return;
        tiles = browser->List()->GetItemCount();
        browser->reject();
    });
    ASSERT_TRUE(Frame()->OnCommand(33072));
    // The sample load units copied at start-up are in the catalogue.
    EXPECT_GT(tiles, 0);
}

TEST_F(DocumentFilesTest, AnAxleIsAddedWhileTheVehicleViewIsShownAndWrittenOnClosing)
{
    Start();
    const QString path = Sample(kTruck);
    ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
    const int before = Doc()->GetFahrzeug()->GetAchsanzahl();
    RecordingCmdUI ui(true);
    ui.m_nID = 33128;
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_TRUE(ui.enabled);
    ASSERT_TRUE(Frame()->OnCommand(33128));
    EXPECT_EQ(Doc()->GetFahrzeug()->GetAchsanzahl(), before + 1);
    EXPECT_TRUE(Frame()->ActiveChild()->windowTitle().endsWith(QStringLiteral("*]")))
        << Frame()->ActiveChild()->windowTitle().toStdString();
    // Another tab: no vehicle view, no command.
    ASSERT_TRUE(Frame()->ActiveChild()->GetTabbedView()->SelectTab(1));
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_FALSE(ui.enabled);
    EXPECT_TRUE(Frame()->CloseActiveChild());
    std::unique_ptr<CFahrzeug> back = ReadBack(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetAchsanzahl(), before + 1);
}

TEST_F(DocumentFilesTest, ThePercentageComboShowsAndSetsTheSideDifference)
{
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), 0, false));
    auto* combo = qobject_cast<QComboBox*>(Frame()->Ribbon()->Control(130));
    ASSERT_NE(combo, nullptr);
    CFahrzeug* v = Doc()->GetAktivFahrzeug(false);
    const struct
    {
        int nProzent;
        int nEntry; // 0: "n/a", disabled
    } cases[] = {{1, 1}, {5, 5}, {7, 0}, {10, 6}, {50, 12}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nProzent);
        v->m_nSeitenProzent = c.nProzent;
        Frame()->UpdateCommandUI();
        EXPECT_EQ(combo->currentIndex(), c.nEntry);
        EXPECT_EQ(combo->isEnabled(), c.nEntry > 0);
    }
    v->m_nSeitenProzent = 4;
    ASSERT_TRUE(Frame()->OnCommand(130, 9)); // 25 %
    EXPECT_EQ(v->m_nSeitenProzent, 25);
    ASSERT_NE(v->GetQor(), nullptr);
    EXPECT_EQ(v->GetQor()->m_nSeitenProzent, 25);
    EXPECT_TRUE(v->m_bModified);
    ASSERT_TRUE(Frame()->OnCommand(130, 0)); // "n/a" changes nothing
    EXPECT_EQ(v->m_nSeitenProzent, 25);

    // A semi-trailer tractor has no side difference of its own.
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTractor), 0, false));
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(combo->isEnabled());
    ASSERT_TRUE(Frame()->OnCommand(130, 3));
    EXPECT_NE(Doc()->GetAktivFahrzeug(false)->m_nSeitenProzent, 3);
}

TEST_F(DocumentFilesTest, TheOpenCommandOpensWhatTheDialogChose)
{
    Start();
    const QString truck = Sample(kTruck);
    Frame()->Services().open = [&](QWidget*, DocumentServices::OpenChoice& choice) {
        choice.path = truck;
        return true;
    };
    ASSERT_TRUE(Frame()->OnCommand(33101));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(QString::fromStdString(Doc()->GetPathName()), truck);
    ASSERT_TRUE(Frame()->OnCommand(33112));
    EXPECT_EQ(Doc(), nullptr);
}

TEST_F(DocumentFilesTest, ACommandLinePathOpensAndAnExchangeFileGoesToTheImport)
{
    const QString dummy = m_sandbox.Path(QStringLiteral("truck.qor"));
    {
        // The sample comes from the program folder: the per-user copies are made at start.
        ASSERT_TRUE(QFile::copy(m_program + QStringLiteral("Samples/Vehicles/LKW.qor"), dummy));
        QFile(dummy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    Start({dummy});
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(QString::fromStdString(Doc()->GetPathName()), dummy);
    EXPECT_TRUE(m_app->PendingPath().isEmpty());
    Frame()->close();
    m_app.reset();

    // An exchange file is handed to the import.
    const QString exchange = m_sandbox.Path(QStringLiteral("parcel.qorei"));
    WriteAll(exchange, "x");
    // The import dialog shows it as its only source.
    bool shown = false;
    QStringList listed;
    bool addingOff = false;
    WhenModal<CDlgImport>(
        [&](CDlgImport& dialog) {
            for (const CDlgImport::Entry& entry : dialog.Entries())
                listed.append(entry.path);
            addingOff = !ControlId::Find(&dialog, CDlgImport::kIdFiles)->isEnabled();
            Press(dialog, CDlgBase::kIdCancel);
        },
        &shown);
    Start({exchange});
    EXPECT_TRUE(shown);
    EXPECT_EQ(listed, QStringList{exchange});
    EXPECT_TRUE(addingOff);
    EXPECT_EQ(Doc(), nullptr);
    QString imported;
    Frame()->Services().importFile = [&](QWidget*, const QString& path) { imported = path; };
    Frame()->OpenPendingPath(exchange);
    EXPECT_EQ(imported, exchange);
}

TEST_F(DocumentFilesTest, ADroppedFileOpens)
{
    Start();
    const QString truck = Sample(kTruck);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(truck)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Frame(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_TRUE(ProcessUntil([&] { return Doc() != nullptr; }));
    EXPECT_EQ(QString::fromStdString(Doc()->GetPathName()), truck);
}

TEST_F(DocumentFilesTest, ANewCombinationNeverReplacesAnExistingFile)
{
    Start();
    const QString truck = Sample(kTruck);
    const QString trailer = Sample(kDrawbarTrailer);
    const QString target = m_sandbox.Path(QStringLiteral("combinations/Train.kmb"));
    EXPECT_TRUE(Frame()->NewKombination(truck, target, trailer, 1500.0));
    ASSERT_NE(Doc(), nullptr);
    ASSERT_NE(Doc()->GetAnhaenger(), nullptr);
    EXPECT_DOUBLE_EQ(Doc()->GetAnhaenger()->m_dKupplungswert[0], 1.5);
    {
        // Each vehicle's row of the report dialog carries that vehicle's own name, not the combination's.
        CDlgDrucken2 bericht(Doc(), Doc()->GetFirstFahrzeug(), Doc()->GetAnhaenger());
        bericht.InitDialog();
        const auto zeile = [&bericht](int id) {
            auto* label = qobject_cast<QLabel*>(ControlId::Find(&bericht, id));
            return label ? (label->toolTip().isEmpty() ? label->text() : label->toolTip()) : QString();
        };
        EXPECT_EQ(zeile(CDlgDrucken2::kIdNameVorn), QFileInfo(truck).completeBaseName());
        EXPECT_EQ(zeile(CDlgDrucken2::kIdNameAnhaenger), QFileInfo(trailer).completeBaseName());
    }
    ASSERT_TRUE(Frame()->CloseActiveChild());
    const QByteArray made = ReadAll(target);
    ASSERT_FALSE(made.isEmpty());
    std::unique_ptr<CFahrzeug> second = ReadBack(target, 1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetArt(), FahrzeugArt::kAnhaenger);

    m_boxes.Clear();
    EXPECT_FALSE(Frame()->NewKombination(truck, target, trailer, 900.0));
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_TRUE(m_boxes.Records()[0].text.startsWith(QStringLiteral("The combination could not be created")));
    EXPECT_EQ(ReadAll(target), made);
}

// New vehicle and New combination close the open window first: its changes are the user's to save or
// drop, and Cancel leaves the window, its changes and its file as they were.
TEST_F(DocumentFilesTest, NewVehicleAndNewCombinationAskBeforeClosingAChangedWindow)
{
    Start();
    int dialogs = 0;
    Frame()->Services().newFahrzeug = [&](QWidget*, DocumentServices::NeuChoice&) {
        return ++dialogs, false;
    };
    Frame()->Services().newKombination = [&](QWidget*, DocumentServices::KombiChoice&) {
        return ++dialogs, false;
    };
    for (const unsigned command : {33124u, 644u}) {
        SCOPED_TRACE(command);
        const QString path = Sample(kTruck);
        const QByteArray before = ReadAll(path);
        ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
        CChildFrame* child = Frame()->ActiveChild();
        Doc()->GetFahrzeug()->m_strBemerkung = "loaded for the test";
        Doc()->GetFahrzeug()->m_bModified = 1;
        Doc()->UpdateModifiedState();

        struct Case
        {
            const char* name;
            int answer;
            bool closes;
            bool saved;
        };
        const Case cases[] = {{"cancel", CChildFrame::kCancel, false, false},
                              {"close without saving", CChildFrame::kCloseWithoutSaving, true, false},
                              {"save and close", 1338, true, true}};
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            if (!Doc()) {
                ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
                child = Frame()->ActiveChild();
                Doc()->GetFahrzeug()->m_strBemerkung = "loaded for the test";
                Doc()->GetFahrzeug()->m_bModified = 1;
                Doc()->UpdateModifiedState();
            }
            m_boxes.Clear();
            m_boxes.AddAnswer(c.answer);
            dialogs = 0;
            ASSERT_TRUE(Frame()->OnCommand(command));
            ASSERT_EQ(m_boxes.Records().size(), 1);
            EXPECT_TRUE(m_boxes.Records()[0].html.text.contains(QStringLiteral("not saved")));
            EXPECT_EQ(dialogs, c.closes ? 1 : 0);
            EXPECT_EQ(Doc() == nullptr, c.closes);
            if (!c.closes) {
                EXPECT_EQ(Frame()->ActiveChild(), child);
                EXPECT_EQ(Doc()->GetFahrzeug()->m_strBemerkung, "loaded for the test");
            }
            std::unique_ptr<CFahrzeug> back = ReadBack(path);
            ASSERT_NE(back, nullptr);
            EXPECT_EQ(back->m_strBemerkung == "loaded for the test", c.saved);
            if (!c.saved) {
                EXPECT_EQ(ReadAll(path), before);
            }
        }
        // Without changes the window closes without a question.
        ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
        m_boxes.Clear();
        dialogs = 0;
        ASSERT_TRUE(Frame()->OnCommand(command));
        EXPECT_TRUE(m_boxes.Records().isEmpty());
        EXPECT_EQ(Doc(), nullptr);
        EXPECT_EQ(dialogs, 1);
    }
}

TEST_F(DocumentFilesTest, NewVehicleRunsItsFormsInTurn)
{
    // A German interface: a module for "DE" and the setting that chooses it.
    ASSERT_TRUE(QFile::copy(m_program + QStringLiteral("Resource_EN.rcc"),
                            m_program + QStringLiteral("Resource_DE.rcc")));
    QCoreApplication::setOrganizationName(QStringLiteral("Korvelandt"));
    QCoreApplication::setApplicationName(QStringLiteral("QOR"));
    QSettings().setValue(QStringLiteral("Settings/ver"), QStringLiteral("EU"));
    QSettings().setValue(QStringLiteral("Settings/lang"), QStringLiteral("DE"));
    Start();
    ASSERT_EQ(m_app->LanguageCode(), QStringLiteral("DE"));
    struct Fall
    {
        int eintrag; // entry of the kind list
        int art;
        std::vector<std::string> formen;
    };
    const Fall faelle[] = {
        {4, FahrzeugArt::kAuflieger, {"data", "dsr", "area"}},
        {0, FahrzeugArt::kZugmaschine, {"data", "area"}},
        {3, FahrzeugArt::kSattelzugmaschine, {"data"}},
    };
    // Closing a new vehicle saves it under a name of the test's folder.
    int gespeichert = 0;
    Frame()->Services().askSaveName = [&](QWidget*, bool, const QString&, QString& folder, QString& name) {
        folder = m_sandbox.Path(QStringLiteral("work")) + QLatin1Char('/');
        QDir().mkpath(folder);
        name = QStringLiteral("neu%1").arg(++gespeichert);
        return true;
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.art);
        std::vector<std::string> formen;
        Frame()->PlanDialogs().SetAusfuehren([&](QDialog& d) {
            if (auto* base = dynamic_cast<CDlgBase*>(&d))
                base->InitDialog();
            if (auto* daten = dynamic_cast<CDlgDataOnNewFzg*>(&d)) {
                formen.push_back("data");
                daten->WaehleEintrag(f.eintrag);
                qobject_cast<QLineEdit*>(ControlId::Find(daten, CDlgDataOnNewFzg::kIdName))
                    ->setText(QStringLiteral("Neu %1").arg(f.art));
                // The width must be entered while it is shown.
                daten->BreitenFeld()->setText(QStringLiteral("2500"));
                daten->BreitenFeld()->CommitText(false);
            } else if (auto* dsr = dynamic_cast<CDlgDsr*>(&d)) {
                formen.push_back("dsr");
                // A corner radius of 150 mm: the semi-trailer's diameter is 0.3 m.
                dsr->Feld(CDlgDsr::kIdRadius)->setText(QStringLiteral("150"));
                dsr->Verlassen(CDlgDsr::kIdRadius);
            } else if (auto* lf = dynamic_cast<CDlgNutzbareLF*>(&d)) {
                formen.push_back("area");
                EXPECT_EQ(lf->Feld(CDlgNutzbareLF::kIdLaengen)->GetFloat(), 250.0f);
                auto* vorn = lf->Feld(CDlgNutzbareLF::kIdLaengen);
                vorn->setText(QStringLiteral("400"));
                vorn->CommitText(false);
            }
            CommandEvent ok{quint32(CDlgBase::kIdOk)};
            QCoreApplication::sendEvent(&d, &ok);
            return d.result();
        });
        ASSERT_TRUE(Frame()->OnCommand(33124));
        EXPECT_EQ(formen, f.formen);
        ASSERT_NE(Doc(), nullptr);
        const CFahrzeug* v = Doc()->GetFirstFahrzeug();
        EXPECT_EQ(v->GetArt(), f.art);
        EXPECT_EQ(v->m_strName, "Neu " + std::to_string(f.art));
        EXPECT_DOUBLE_EQ(v->m_NutzLF[0].m_dRand[0], f.art == FahrzeugArt::kSattelzugmaschine ? 0.0 : 0.4);
        EXPECT_DOUBLE_EQ(CAuflieger::GetAufliegerMass(*v), f.art == FahrzeugArt::kAuflieger ? 0.3 : 0.0);
    }
    Frame()->PlanDialogs().SetAusfuehren({});
}

TEST_F(DocumentFilesTest, UsableAreaCommandWritesBothRecordsAndKeepsLoadsInPlace)
{
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), 0, false));
    CFahrzeug* v = Doc()->GetAktivFahrzeug(true);
    ASSERT_TRUE(v && v->GetQor());
    const double vorn = v->m_NutzLF[0].m_dRand[0];
    auto* lg = new tagLGINFO;
    lg->m_strName = "Box";
    lg->m_dLaenge = lg->m_dBreite = lg->m_dHoehe = 1.0;
    lg->m_dMasse = lg->m_dSPMasse = 0.5;
    lg->m_dPosX = 2.0;
    v->GetQor()->AddLgInfo(std::unique_ptr<tagLGINFO>(lg), false);
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        Frame()->PlanDialogs().SetAusfuehren([&](QDialog& d) {
            auto& lf = dynamic_cast<CDlgNutzbareLF&>(d);
            lf.InitDialog();
            CEditLast* feld = lf.Feld(CDlgNutzbareLF::kIdLaengen);
            feld->setText(QString::number(vorn * 1000.0 + 300.0));
            feld->CommitText(false);
            CEditLast* raster = lf.Feld(CDlgNutzbareLF::kIdRaster + 2);
            raster->setText(QStringLiteral("4"));
            raster->CommitText(false);
            CommandEvent befehl{quint32(ok ? CDlgBase::kIdOk : CDlgBase::kIdCancel)};
            QCoreApplication::sendEvent(&d, &befehl);
            return d.result();
        });
        ASSERT_TRUE(Frame()->OnCommand(33148));
        EXPECT_NEAR(v->m_NutzLF[0].m_dRand[0], ok ? vorn + 0.3 : vorn, 1e-6);
        EXPECT_NEAR(v->m_NutzLF[1].m_dRand[0], ok ? vorn + 0.3 : vorn, 1e-6);
        if (ok) {
            EXPECT_TRUE(v->m_NutzLF[0] == v->m_NutzLF[1]);
            EXPECT_EQ(v->m_NutzLF[0].m_nRaster[3], 4);
        }
        EXPECT_NEAR(lg->m_dPosX, ok ? 1.7 : 2.0, 1e-6);
        EXPECT_EQ(Doc()->IsModified(), ok);
    }
    Frame()->PlanDialogs().SetAusfuehren({});
}

TEST_F(DocumentFilesTest, LoadDialogOpensHidesWithItsTabAndClosesFromTheView)
{
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), 0, false));
    CTabbedViewView* host = Frame()->ActiveChild()->GetTabbedView();
    ASSERT_TRUE(host);
    ASSERT_TRUE(host->SelectTab(0));
    auto* vorlage = host->FindView<CQOR1View>();
    ASSERT_TRUE(vorlage);
    IViewShell& shell = IViewShell::Of(&Frame()->GetProgramRun());
    EXPECT_EQ(shell.GetLoadDialog(), nullptr);
    ASSERT_TRUE(vorlage->OnBefehl(32978));
    QPointer<QWidget> dlg = shell.GetLoadDialog();
    ASSERT_TRUE(dlg);
    EXPECT_TRUE(dlg->isVisible());
    // Another tab hides it, the vehicle's tab shows it again.
    ASSERT_TRUE(host->SelectTab(1));
    ASSERT_TRUE(dlg);
    EXPECT_FALSE(dlg->isVisible());
    ASSERT_TRUE(host->SelectTab(0));
    EXPECT_TRUE(dlg->isVisible());
    // The view's command switches it off: it goes, and a closed document takes an open one along.
    ASSERT_TRUE(vorlage->OnBefehl(32978));
    EXPECT_FALSE(dlg);
    EXPECT_EQ(shell.GetLoadDialog(), nullptr);
    ASSERT_TRUE(vorlage->OnBefehl(32978));
    dlg = shell.GetLoadDialog();
    ASSERT_TRUE(dlg);
    ASSERT_TRUE(Frame()->OnCommand(33112));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dlg);
}

} // namespace

TEST_F(DocumentFilesTest, OpenShowsTheVehicleFolderAndOpensTheChosenFile)
{
    Start();
    const QString my =
        m_app->UserRoot() + QStringLiteral("vehicles/") + QString::fromStdString(LoadResString(229));
    const QString path = my + QStringLiteral("/Trailer.qor");
    ASSERT_TRUE(QFile::copy(Sample(kDrawbarTrailer), path));
    QString startedIn;
    bool done = false;
    WhenModal<CDlgFileAction2>(
        [&](CDlgFileAction2& dialog) {
            startedIn = dialog.Tree()->GetSelectedPath();
            dialog.Tree()->SelectPath(path);
            Press(dialog, CDlgBase::kIdOk);
        },
        &done);
    ASSERT_TRUE(Frame()->OnCommand(33101));
    EXPECT_TRUE(done);
    EXPECT_EQ(startedIn, my);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(QString::fromStdString(Doc()->GetPathName()), path);
}

TEST_F(DocumentFilesTest, ACombinationChosenInTheOpenDialogOpensWithItsTrailer)
{
    Start();
    const QString target = m_app->UserRoot() + QStringLiteral("combinations/Train.kmb");
    ASSERT_TRUE(Frame()->NewKombination(Sample(kTruck), target, Sample(kDrawbarTrailer), 1500.0));
    ASSERT_TRUE(Frame()->CloseActiveChild());
    bool done = false;
    WhenModal<CDlgFileAction2>(
        [&](CDlgFileAction2& dialog) {
            Press(dialog, CDlgFileAction2::kIdKombination);
            dialog.Tree()->SelectPath(target);
            Press(dialog, CDlgBase::kIdOk);
        },
        &done);
    ASSERT_TRUE(Frame()->OnCommand(33101));
    EXPECT_TRUE(done);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(QString::fromStdString(Doc()->GetPathName()), target);
    ASSERT_NE(Doc()->GetAnhaenger(), nullptr) << "the trailer opens with the towing vehicle";
    EXPECT_EQ(Doc()->GetAnhaenger()->GetArt(), FahrzeugArt::kAnhaenger);
}

TEST_F(DocumentFilesTest, AnUnnamedVehicleIsSavedWhereTheUserChose)
{
    Start();
    Frame()->Services().newFahrzeug = [](QWidget*, DocumentServices::NeuChoice& choice) {
        choice.nArt = 0;
        choice.name = QStringLiteral("Fresh");
        return true;
    };
    ASSERT_TRUE(Frame()->OnCommand(33124));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_TRUE(Doc()->GetPathName().empty());
    const QString folder = m_app->UserRoot() + QStringLiteral("vehicles/Fleet");
    QDir().mkpath(folder);
    bool done = false;
    WhenModal<CDlgFileAction2>(
        [&](CDlgFileAction2& dialog) {
            EXPECT_EQ(dialog.Mode(), CDlgFileAction2::kNewName);
            dialog.Tree()->SelectPath(folder);
            qobject_cast<QLineEdit*>(ControlId::Find(&dialog, CDlgFileAction2::kIdName))
                ->setText(QStringLiteral("Fresh truck"));
            Press(dialog, CDlgBase::kIdOk);
        },
        &done);
    m_boxes.Clear();
    EXPECT_TRUE(Frame()->CloseActiveChild());
    EXPECT_TRUE(done);
    std::unique_ptr<CFahrzeug> saved = ReadBack(folder + QStringLiteral("/Fresh truck.qor"));
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->GetArt(), 0);
}

TEST_F(DocumentFilesTest, ANewCombinationOfSampleVehiclesOpens)
{
    Start();
    const QString samples = m_app->UserRoot() + QStringLiteral("Samples/vehicles/") +
                            QString::fromStdString(LoadResString(259)) + QLatin1Char('/');
    const QString truck = samples + QString::fromStdString(LoadResString(kTruck)) + QStringLiteral(".qor");
    const QString trailer =
        samples + QString::fromStdString(LoadResString(kDrawbarTrailer)) + QStringLiteral(".qor");
    const QByteArray truckBefore = ReadAll(truck);
    bool done = false;
    QString newPath;
    WhenModal<CDlgKombiNeu>(
        [&](CDlgKombiNeu& dialog) {
            dialog.ZugTree()->SelectPath(truck);
            dialog.AnhTree()->SelectPath(trailer);
            qobject_cast<QLineEdit*>(ControlId::Find(&dialog, CDlgKombiNeu::kIdInteger))
                ->setText(QStringLiteral("900"));
            Press(dialog, CDlgBase::kIdOk);
            newPath = dialog.NewPath();
        },
        &done);
    ASSERT_TRUE(Frame()->OnCommand(644));
    EXPECT_TRUE(done);
    ASSERT_FALSE(newPath.isEmpty());
    EXPECT_TRUE(newPath.startsWith(m_app->UserRoot() + QStringLiteral("combinations/")));
    EXPECT_TRUE(QFile::exists(newPath));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(QString::fromStdString(Doc()->GetPathName()), newPath);
    ASSERT_NE(Doc()->GetAnhaenger(), nullptr);
    EXPECT_DOUBLE_EQ(Doc()->GetAnhaenger()->m_dKupplungswert[0], 0.9);
    EXPECT_EQ(ReadAll(truck), truckBefore) << "the sample stays as it was";
}

// --- the window's views: the tab kept per file, dragging a view, the 3D render flag, axle commands ----

TEST_F(DocumentFilesTest, TheTabKeptInTheFilesApplicationStateShowsOnOpening)
{
    Start();
    const QString path = Sample(kTruck, QStringLiteral("kept"));
    // The tab indexes of the window's host.
    ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
    const int nPlanTab = Frame()->ActiveChild()->GetTabbedView()->FindTabOfKind(CTabbedViewView::kPlan);
    const int nSplitTab =
        Frame()->ActiveChild()->GetTabbedView()->FindTabOfKind(CTabbedViewView::kSplitterTabKind);
    ASSERT_GE(nSplitTab, 0);
    struct Fall
    {
        const char* name;
        int nTab; // -1: no state of the file's own
        int nZeile;
        int nErwarteterTab; // the kind shown (4: the split view)
        int nAktuelleZeile; // -1: the current view is the template view of row 0
    };
    const Fall faelle[] = {
        {"no state of its own: the default's first tab", -1, 0, CTabbedViewView::kTemplate, -1},
        {"the plan tab", nPlanTab, 0, CTabbedViewView::kPlan, -1},
        {"the split view, lower row current", nSplitTab, 1, CTabbedViewView::kSplitterTabKind, 1},
        {"the split view, upper row current", nSplitTab, 0, CTabbedViewView::kSplitterTabKind, 0},
        {"a tab that does not exist stays on the first", 9, 0, CTabbedViewView::kTemplate, -1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        m_app->AppStates().erase("kept");
        if (f.nTab >= 0) {
            auto state = std::make_unique<CAppStateParams>();
            state->m_nWert[0] = f.nTab;
            state->m_nWert[1] = f.nZeile;
            m_app->AppStates()["kept"] = std::move(state);
        }
        ASSERT_TRUE(Frame()->CloseActiveChild());
        QCoreApplication::processEvents();
        ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
        CChildFrame* child = Frame()->ActiveChild();
        CTabbedViewView* host = child->GetTabbedView();
        EXPECT_EQ(host->GetTabKind(host->GetSelectedTab()), f.nErwarteterTab);
        CGetAnsView* erwartet =
            f.nAktuelleZeile < 0 ? host->GetRowView(0) : host->GetPaneView(f.nAktuelleZeile);
        EXPECT_EQ(child->GetCurrentView(), erwartet);
    }
}

TEST_F(DocumentFilesTest, DraggingAViewOntoTheOtherPaneExchangesTheTwo)
{
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), 0, false));
    CChildFrame* child = Frame()->ActiveChild();
    CTabbedViewView* host = child->GetTabbedView();
    ASSERT_TRUE(host->SelectTab(host->FindTabOfKind(CTabbedViewView::kSplitterTabKind)));
    QCoreApplication::processEvents();
    CGetAnsView* oben = host->GetPaneView(0);
    CGetAnsView* unten = host->GetPaneView(1);
    ASSERT_TRUE(oben && unten);
    const auto mitte = [](QWidget* w) { return w->mapToGlobal(w->rect().center()); };

    // Released over itself: nothing moves.
    child->BeginViewDrag(oben);
    EXPECT_TRUE(child->IsViewDragging());
    child->ViewDragMove(mitte(oben));
    EXPECT_EQ(child->GetDropTarget(), nullptr);
    child->ViewDragRelease(mitte(oben));
    EXPECT_FALSE(child->IsViewDragging());
    EXPECT_EQ(host->GetPaneView(0), oben);
    EXPECT_EQ(host->GetPaneView(1), unten);

    // Over the other pane it becomes the target; released there, the two change places.
    child->BeginViewDrag(oben);
    child->ViewDragMove(mitte(unten));
    EXPECT_EQ(child->GetDropTarget(), unten);
    child->ViewDragMove(mitte(oben));
    EXPECT_EQ(child->GetDropTarget(), nullptr) << "back over the dragged view: no target";
    child->ViewDragMove(mitte(unten));
    child->ViewDragRelease(mitte(unten));
    EXPECT_FALSE(child->IsViewDragging());
    EXPECT_EQ(host->GetPaneView(0), unten);
    EXPECT_EQ(host->GetPaneView(1), oben);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(DocumentFilesTest, TheThreeDViewsRenderFlagTwoFollowsItsActivation)
{
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), 0, false));
    CTabbedViewView* host = Frame()->ActiveChild()->GetTabbedView();
    auto* view3d = dynamic_cast<CQOR3DView*>(host->GetView(CTabbedViewView::k3D));
    ASSERT_NE(view3d, nullptr);
    host->SetActiveView(view3d);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(view3d->NeedsRenderFlag(2));
    host->SetActiveView(host->GetTemplateView());
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(view3d->NeedsRenderFlag(2));
    // The message for a view that is gone by then does nothing.
    QCoreApplication::postEvent(Frame()->ActiveChild(), new RenderFlagEvent(true, nullptr));
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(view3d->NeedsRenderFlag(2));
}

namespace {

// Selects axle record `index` of the template view with a right click on its drawing.
CQOR1View* WaehleAchse(CChildFrame* child, int index)
{
    auto* view = dynamic_cast<CQOR1View*>(child->GetTabbedView()->GetTemplateView());
    if (!view)
        return nullptr;
    view->RenderFrame();
    const auto& achsen = view->GetDIBFahrzeug()->GetAchsen();
    if (index >= int(achsen.size()))
        return nullptr;
    QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier,
                      achsen[static_cast<std::size_t>(index)].m_rc.center());
    return view;
}

} // namespace

TEST_F(DocumentFilesTest, TheSelectedAxleIsRemovedAfterTheQuestionWhenTheRulesAllowIt)
{
    Start();
    const QString path = Sample(kDrawbarTrailer);
    ASSERT_TRUE(Frame()->OpenFile(path, -1, false));
    CFahrzeug* v = Doc()->GetFahrzeug();
    // Four axle records counted apart from their groups, so any but the first may go.
    ASSERT_TRUE(Frame()->OnCommand(33128));
    const int vorher = v->GetAchsanzahl();
    RecordingCmdUI ui(true);
    ui.m_nID = 33130;

    // Nothing selected, or the first axle: not offered.
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_FALSE(ui.enabled);
    CQOR1View* view = WaehleAchse(Frame()->ActiveChild(), 0);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->IsAchseSelected());
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_FALSE(ui.enabled) << "the first axle is never offered";

    ASSERT_NE(WaehleAchse(Frame()->ActiveChild(), 2), nullptr);
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_TRUE(ui.enabled);
    // No keeps the axle.
    m_boxes.Clear();
    m_boxes.AddAnswer(IMessageBoxService::kNo);
    ASSERT_TRUE(Frame()->OnCommand(33130));
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records().front().text, QString::fromStdString(LoadResString(148)));
    EXPECT_EQ(v->GetAchsanzahl(), vorher);
    // Yes removes it, clears the selection and marks the document; no note outside German.
    m_boxes.Clear();
    m_boxes.AddAnswer(IMessageBoxService::kYes);
    ASSERT_TRUE(Frame()->OnCommand(33130));
    EXPECT_EQ(v->GetAchsanzahl(), vorher - 1);
    EXPECT_FALSE(view->IsAchseSelected());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(m_boxes.Records().size(), 1);
    EXPECT_TRUE(Frame()->CloseActiveChild());
    std::unique_ptr<CFahrzeug> back = ReadBack(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetAchsanzahl(), vorher - 1);
}

TEST_F(DocumentFilesTest, TheGroupFlagOfTheSelectedAxleIsToggledAndShown)
{
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), -1, false));
    CFahrzeug* v = Doc()->GetFahrzeug();
    RecordingCmdUI ui(true);
    ui.m_nID = 33132;
    // Another tab: no template view, indeterminate and disabled.
    ASSERT_TRUE(Frame()->ActiveChild()->GetTabbedView()->SelectTab(1));
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_FALSE(ui.enabled);
    EXPECT_EQ(ui.check, 2);
    ASSERT_TRUE(Frame()->ActiveChild()->GetTabbedView()->SelectTab(0));
    ASSERT_TRUE(Frame()->OnCommand(33128)); // a third axle, so the second may be grouped
    CQOR1View* view = WaehleAchse(Frame()->ActiveChild(), 1);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->IsAchseSelected());
    const int nAchse = view->GetHitAchse();
    const int alt = v->m_nAchsFlags[nAchse];
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_TRUE(ui.enabled);
    EXPECT_EQ(ui.check, alt != 0 ? 1 : 0);
    ASSERT_TRUE(Frame()->OnCommand(33132));
    EXPECT_EQ(v->m_nAchsFlags[nAchse] != 0, alt == 0);
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_EQ(ui.check, alt == 0 ? 1 : 0);
    EXPECT_TRUE(Doc()->IsModified());
}

// The note on German regulations follows the regional version "ver" of the settings, not the language.
TEST_F(DocumentFilesTest, TheAxleNoteFollowsTheRegionalVersionOncePerRunUnlessTicked)
{
    Start();
    // A German module: the English texts under the German code.
    const QString folder = m_sandbox.Path(QStringLiteral("de"));
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy(m_program + QStringLiteral("Resource_EN.rcc"),
                            folder + QStringLiteral("/Resource_DE.rcc")));
    QString error;
    std::unique_ptr<ResourceModule> de = ResourceModule::Load(QStringLiteral("DE"), folder, &error);
    ASSERT_TRUE(de) << error.toStdString();
    const ResourceModule* vorher = ResourceModule::Current();
    // The note is the slider hint's box; its document button is tested with the slider.
    int nBoxen = 0;
    const SliderHint::Services alt = SliderHint::SetServices({{},
                                                              [&](bool* checked) {
                                                                  ++nBoxen;
                                                                  *checked = true;
                                                                  return 668;
                                                              },
                                                              {},
                                                              {}});
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), -1, false));
    m_boxes.Clear();
    ProgramRun& run = m_app->GetProgramRun();
    EXPECT_EQ(RegionalVersion::Current(), QStringLiteral("EU")) << "a fresh user's regional version";
    // A German interface with the regional version "EU": no note.
    ResourceModule::SetCurrent(de.get());
    ASSERT_TRUE(Frame()->OnCommand(33128));
    EXPECT_EQ(nBoxen, 0);
    // An English interface with the regional version "DE": the note.
    ResourceModule::SetCurrent(vorher);
    RegionalVersion::Set(QStringLiteral("de"));
    ASSERT_TRUE(Frame()->OnCommand(33128));
    EXPECT_EQ(nBoxen, 1);
    EXPECT_TRUE(run.GetAntworten().bSliderHinweisAus) << "the ticked box is remembered for the run";
    EXPECT_TRUE(m_boxes.Records().isEmpty());
    SliderHint::SetServices(alt);
    RegionalVersion::Set(QStringLiteral("EU"));
}

TEST_F(DocumentFilesTest, TheLoadPositionCommandOpensAndClosesTheDialogOfTheTemplateTab)
{
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), -1, false));
    RecordingCmdUI ui(true);
    ui.m_nID = 33156;
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_TRUE(ui.enabled);
    EXPECT_EQ(ui.check, 0);
    ASSERT_TRUE(Frame()->OnCommand(33156));
    ILastDlg* dlg = IPlanDialogs::Of(&Frame()->GetProgramRun()).GetLastDlg();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->GetOwnerView(), Frame()->ActiveChild()->GetTabbedView()->GetTemplateView());
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_EQ(ui.check, 1);
    // Open, it stays available on another tab (to close it); closed, it needs the template tab.
    ASSERT_TRUE(Frame()->ActiveChild()->GetTabbedView()->SelectTab(1));
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_TRUE(ui.enabled);
    ASSERT_TRUE(Frame()->OnCommand(33156));
    EXPECT_EQ(IPlanDialogs::Of(&Frame()->GetProgramRun()).GetLastDlg(), nullptr);
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_FALSE(ui.enabled);
    // The dialog goes with the window whose view it belongs to.
    ASSERT_TRUE(Frame()->ActiveChild()->GetTabbedView()->SelectTab(0));
    ASSERT_TRUE(Frame()->OnCommand(33156));
    ASSERT_NE(IPlanDialogs::Of(&Frame()->GetProgramRun()).GetLastDlg(), nullptr);
    EXPECT_TRUE(Frame()->CloseActiveChild());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(IPlanDialogs::Of(&Frame()->GetProgramRun()).GetLastDlg(), nullptr);
}

TEST_F(DocumentFilesTest, TheReportCommandOpensTheReportDialogAndRunWritesTheReports)
{
    // The program's own views: the report pictures come from the template and loading-plan views.
    CChildFrame::SetViewFactory({});
    Start();
    ASSERT_TRUE(Frame()->OpenFile(Sample(kTruck), 0, false));
    RecordingCmdUI ui(true);
    ui.m_nID = 892;
    ASSERT_TRUE(Frame()->Commands().Update(ui));
    EXPECT_TRUE(ui.enabled);
    QStringList reports;
    quint32 templateId = 0;
    bool done = false;
    WhenModal<CDlgDrucken2>(
        [&](CDlgDrucken2& dialog) {
            templateId = dialog.TemplateId();
            dialog.SetExport([&](CQOR1Doc*, const QStringList& html, const QString&, QWidget*) {
                reports = html;
                return true;
            });
            QWidget* run = ControlId::Find(&dialog, CDlgDrucken2::kIdRun);
            ASSERT_NE(run, nullptr);
            QTest::mouseClick(run, Qt::LeftButton, {}, run->rect().center());
        },
        &done);
    ASSERT_TRUE(Frame()->OnCommand(892));
    EXPECT_TRUE(done);
    EXPECT_EQ(templateId, CDlgDrucken2::kTemplateId);
    EXPECT_TRUE(m_boxes.Records().isEmpty())
        << (m_boxes.Records().isEmpty() ? std::string() : m_boxes.Records().last().text.toStdString());
    // The load-plan report of the truck, written into the user's report folder with its pictures.
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("/Print/Vehicle data '"))) << reports[0].toStdString();
    EXPECT_TRUE(QFile::exists(reports[0]));
    EXPECT_TRUE(QFile::exists(QFileInfo(reports[0]).dir().filePath(QStringLiteral("Fahrzeug_SUP.bmp"))));
}

TEST_F(DocumentFilesTest, UncouplingSavesTheCombinationAndLeavesTheTowingVehicleWithoutAFile)
{
    Start();
    const QString truckPath = Sample(kTruck);
    ASSERT_TRUE(Frame()->OpenFile(truckPath, -1, false));
    ASSERT_TRUE(Frame()->LoadPartnerFromFile(Sample(kDrawbarTrailer)));
    ASSERT_TRUE(Frame()->CloseActiveChild());
    ASSERT_TRUE(Frame()->OpenFile(truckPath, -1, false));
    ASSERT_NE(Doc()->GetAnhaenger(), nullptr);

    // A trailer change that cannot be written keeps the trailer coupled and says so.
    {
        ASSERT_TRUE(Frame()->CloseActiveChild());
        std::unique_ptr<LockedFile> other =
            LockedFile::Open(fs::path(truckPath.toStdString()), LockedFile::Mode::ReadWrite);
        ASSERT_NE(other, nullptr);
        ASSERT_TRUE(Frame()->OpenFile(truckPath, -1, false));
        Doc()->GetAnhaenger()->m_strBemerkung = "not written";
        Doc()->GetAnhaenger()->m_bModified = 1;
        const QByteArray before = ReadAll(truckPath);
        m_boxes.Clear();
        EXPECT_TRUE(Frame()->OnCommand(123));
        ASSERT_NE(Doc()->GetAnhaenger(), nullptr);
        ASSERT_EQ(m_boxes.Records().size(), 1);
        EXPECT_TRUE(m_boxes.Records()[0].text.contains(QStringLiteral("trailer stays coupled")));
        EXPECT_EQ(ReadAll(truckPath), before);
        ASSERT_TRUE(Frame()->CloseActiveChild(true));
    }

    // Uncoupled while the truck is worked on with an axle selected: the trailer's change is written
    // first, then the truck stands alone, worked on as the document's vehicle, without a file.
    ASSERT_TRUE(Frame()->OpenFile(truckPath, -1, false));
    ASSERT_NE(Doc()->GetAnhaenger(), nullptr);
    Doc()->GetAnhaenger()->m_strBemerkung = "KV-AH 7";
    Doc()->GetAnhaenger()->m_bModified = 1;
    ASSERT_TRUE(Frame()->OnCommand(531));
    ASSERT_EQ(Doc()->GetAktivIndex(), CQOR1Doc::kAktivZugfahrzeug);
    CQOR1View* view = WaehleAchse(Frame()->ActiveChild(), 1);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->IsAchseSelected());
    m_boxes.Clear();
    ASSERT_TRUE(Frame()->OnCommand(123));
    EXPECT_TRUE(m_boxes.Records().isEmpty());
    EXPECT_EQ(Doc()->GetAnhaenger(), nullptr);
    ASSERT_NE(Doc()->GetFahrzeug(), nullptr);
    EXPECT_EQ(Doc()->GetFahrzeug()->GetArt(), FahrzeugArt::kZugmaschine);
    EXPECT_EQ(Doc()->GetAktivIndex(), CQOR1Doc::kAktivAnhaenger);
    EXPECT_EQ(Doc()->GetAnhaengerIndex(), -2);
    EXPECT_TRUE(Doc()->GetPathName().empty());
    EXPECT_FALSE(view->IsAchseSelected());
    EXPECT_EQ(Frame()->IsFileOpen(truckPath, 0), 0);
    EXPECT_EQ(Frame()->ActiveChild()->windowTitle(), QString::fromStdString(Doc()->GetTitel(false)));
    std::unique_ptr<CFahrzeug> written = ReadBack(truckPath, 1);
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->m_strBemerkung, "KV-AH 7");

    // Closing asks for the lone truck's own name; the combination's file keeps both vehicles.
    const QString folder = m_sandbox.Path(QStringLiteral("alone")) + QLatin1Char('/');
    QDir().mkpath(folder);
    int asked = 0;
    Frame()->Services().askSaveName = [&](QWidget*, bool bKombination, const QString&, QString& f,
                                          QString& n) {
        ++asked;
        EXPECT_FALSE(bKombination);
        f = folder;
        n = QStringLiteral("Truck alone");
        return true;
    };
    const QByteArray combination = ReadAll(truckPath);
    ASSERT_TRUE(Frame()->CloseActiveChild());
    EXPECT_EQ(asked, 1);
    EXPECT_NE(ReadBack(folder + QStringLiteral("Truck alone.qor")), nullptr);
    EXPECT_EQ(ReadAll(truckPath), combination);
    ASSERT_TRUE(Frame()->OpenFile(truckPath, 0, false));
    ASSERT_TRUE(Frame()->LoadPartnerEntry(truckPath, 1));
    ASSERT_NE(Doc()->GetAnhaenger(), nullptr);
    EXPECT_EQ(Doc()->GetAnhaenger()->m_strBemerkung, "KV-AH 7");
    // The partner that is coupled already is not exchanged: the document keeps its file.
    CFahrzeug* pAnhaenger = Doc()->GetAnhaenger();
    EXPECT_TRUE(Frame()->LoadPartnerEntry(truckPath, 1));
    EXPECT_EQ(Doc()->GetAnhaenger(), pAnhaenger);
    EXPECT_EQ(QString::fromStdString(Doc()->GetPathName()), truckPath);
}
