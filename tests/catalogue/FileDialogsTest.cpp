// The file-choice, new-combination and folder dialogs over copies of the sample vehicles.
#include "catalogue/CDlgFileAction2.h"
#include "catalogue/CDlgKombiNeu.h"
#include "catalogue/CDlgSelectFolder.h"
#include "catalogue/CFileTreeCtrlFilter.h"
#include "catalogue/FolderPaths.h"
#include "model/base/LockedFile.h"
#include "model/text/TextProvider.h"
#include "platform/ResourceModule.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"

#include "VehicleCatalogueSandbox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

QString Text(quint32 id)
{
    return QString::fromStdString(LoadResString(id));
}

QString Artifacts()
{
    const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/catalogue");
    QDir().mkpath(folder);
    return folder;
}

bool Enabled(CDlgBase& dialog, int id)
{
    dialog.KickIdle();
    QWidget* control = ControlId::Find(&dialog, id);
    return control && control->isEnabled();
}

void Click(CDlgBase& dialog, int id)
{
    dialog.KickIdle();
    auto* button = qobject_cast<QAbstractButton*>(ControlId::Find(&dialog, id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

QLineEdit* Edit(CDlgBase& dialog, int id)
{
    return qobject_cast<QLineEdit*>(ControlId::Find(&dialog, id));
}

class FileDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_my = m_box.Folders().vehicles + QStringLiteral("/My vehicles");
        m_myKombi = m_box.Folders().combinations + QStringLiteral("/My combinations");
        for (int kind = 0; kind <= 4; ++kind)
            m_kinds[kind] = m_box.CopyVehicle(kind, m_my, QStringLiteral("k%1.qor").arg(kind));
        ASSERT_TRUE(m_box.WriteKombination(0, 1, m_myKombi + QStringLiteral("/Road train.kmb")));
        m_box.CopyVehicle(0, m_box.Folders().sampleVehicleRoot, QStringLiteral("Sample truck.qor"));
        m_box.CopyVehicle(3, m_box.Folders().sampleVehicleRoot, QStringLiteral("Sample semi-trailer.qor"));
    }

    VehicleCatalogueSandbox m_box;
    ScriptedMessageBoxService m_boxes;
    QString m_my;
    QString m_myKombi;
    QString m_kinds[5];
};

} // namespace

TEST(FolderPathsTest, InsideByWholeComponents)
{
    struct Case
    {
        const char* path;
        const char* base;
        bool inside;
    };
    const Case cases[] = {
        {"/u/vehicles", "/u/vehicles", true},
        {"/u/vehicles/My vehicles/", "/u/vehicles", true},
        {"/u/vehicles2", "/u/vehicles", false},
        {"/x/u/vehicles", "/u/vehicles", false},
        {"/u/vehicles/../combinations", "/u/vehicles", false},
        {"", "/u/vehicles", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FolderPaths::IsInside(QString::fromUtf8(c.path), QString::fromUtf8(c.base)), c.inside);
    }
    EXPECT_EQ(
        FolderPaths::Relative(QStringLiteral("/u/vehicles/My vehicles/"), QStringLiteral("/u/vehicles")),
        QStringLiteral("My vehicles"));
}

TEST_F(FileDialogs, ChoosingAFileNeedsAFreeFile)
{
    auto held = LockedFile::Open(m_kinds[1].toStdString(), LockedFile::Mode::ReadWrite);
    ASSERT_TRUE(held);
    CDlgFileAction2 dialog(CDlgFileAction2::kChoose, false, m_box.Folders());
    dialog.InitDialog();
    EXPECT_EQ(dialog.windowTitle(), Text(76));
    EXPECT_TRUE(ControlId::Find(&dialog, CDlgFileAction2::kIdName)->isHidden());
    CFileTreeCtrlFilter* tree = dialog.Tree();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->GetSelectedPath(), m_my) << "starts in the vehicle folder";
    struct Case
    {
        QString path;
        bool ok;
    };
    const QList<Case> cases{{m_my, false}, {m_kinds[1], false}, {m_kinds[3], true}, {m_kinds[0], true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ASSERT_NE(tree->SelectPath(c.path), nullptr);
        EXPECT_EQ(Enabled(dialog, CDlgBase::kIdOk), c.ok);
    }
    EXPECT_EQ(Edit(dialog, CDlgFileAction2::kIdName)->text(), QStringLiteral("k0"));
    Click(dialog, CDlgBase::kIdOk);
    EXPECT_EQ(dialog.result(), CDlgBase::kIdOk);
    EXPECT_EQ(dialog.ChosenFile(), m_kinds[0]);
}

// Return or a double click on a vehicle file opens it as the Open button does: the program opens its
// own files, never the desktop (which has no program for them and said so in a message).
TEST_F(FileDialogs, ADoubleClickedFileIsChosenByTheDialog)
{
    CDlgFileAction2 dialog(CDlgFileAction2::kChoose, false, m_box.Folders());
    dialog.InitDialog();
    CFileTreeCtrlFilter* tree = dialog.Tree();
    ASSERT_NE(tree, nullptr);
    QTreeWidgetItem* item = tree->SelectPath(m_kinds[3]);
    ASSERT_NE(item, nullptr);
    tree->Open(item);
    EXPECT_EQ(dialog.result(), CDlgBase::kIdOk);
    EXPECT_EQ(dialog.ChosenFile(), m_kinds[3]);
    EXPECT_TRUE(m_boxes.Records().empty()) << "a message came instead of the file";
}

TEST_F(FileDialogs, TheRadioGroupRefillsTheTree)
{
    CDlgFileAction2 dialog(CDlgFileAction2::kChoose, false, m_box.Folders());
    dialog.InitDialog();
    CFileTreeCtrlFilter* tree = dialog.Tree();
    EXPECT_EQ(tree->FilePatterns(), QStringList{QStringLiteral("*.qor")});
    EXPECT_EQ(tree->RootFolders(), QStringList{m_box.Folders().sampleVehicleRoot});
    Click(dialog, CDlgFileAction2::kIdKombination);
    EXPECT_TRUE(dialog.IsKombination());
    EXPECT_EQ(tree->RootFolder(), m_box.Folders().combinations);
    EXPECT_EQ(tree->FilePatterns(), QStringList{QStringLiteral("*.kmb")});
    EXPECT_TRUE(tree->RootFolders().isEmpty());
    EXPECT_EQ(dialog.windowTitle(), Text(55));
    EXPECT_EQ(qobject_cast<QAbstractButton*>(ControlId::Find(&dialog, CDlgBase::kIdOk))->text(), Text(645));
    EXPECT_NE(tree->SelectPath(m_myKombi + QStringLiteral("/Road train.kmb")), nullptr)
        << "the combination is listed";
    EXPECT_TRUE(Enabled(dialog, CDlgBase::kIdOk));
    EXPECT_EQ(Edit(dialog, CDlgFileAction2::kIdName)->text(), QStringLiteral("Road train"));
    Click(dialog, CDlgFileAction2::kIdVehicle);
    EXPECT_EQ(tree->RootFolder(), m_box.Folders().vehicles);
    EXPECT_EQ(dialog.windowTitle(), Text(76));
}

TEST_F(FileDialogs, ANewNameIsRefusedWhenItExistsOrIsBlank)
{
    QFile::copy(m_kinds[0], m_myKombi + QStringLiteral("/k0.kmb"));
    struct Case
    {
        const char* name;
        bool kombination;
        QString entered;
        QString text; // the message, empty when the dialog closes
    };
    const QList<Case> cases{
        {"existing vehicle", false, QStringLiteral("k2"),
         Text(648).replace(QLatin1String("%s"), QStringLiteral("k2"))},
        {"existing combination", true, QStringLiteral("k0"),
         Text(642).replace(QLatin1String("%s"), QStringLiteral("k0"))},
        {"blanks", false, QStringLiteral("   "), Text(79) + QLatin1Char('!')},
        {"a vehicle name free among vehicles", false, QStringLiteral("Road train"), QString()},
        {"new", false, QStringLiteral(" New truck "), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.Clear();
        CDlgFileAction2 dialog(CDlgFileAction2::kNewName, c.kombination, m_box.Folders());
        dialog.SetName(QStringLiteral("preset"));
        dialog.InitDialog();
        EXPECT_EQ(Edit(dialog, CDlgFileAction2::kIdName)->text(), QStringLiteral("preset"));
        EXPECT_EQ(dialog.windowTitle(), Text(c.kombination ? 56 : 73));
        EXPECT_FALSE(ControlId::Find(&dialog, c.kombination ? CDlgFileAction2::kIdVehicle
                                                            : CDlgFileAction2::kIdKombination)
                         ->isEnabled());
        ASSERT_TRUE(Enabled(dialog, CDlgBase::kIdOk)) << "the start folder is a target";
        Edit(dialog, CDlgFileAction2::kIdName)->setText(c.entered);
        Click(dialog, CDlgBase::kIdOk);
        if (c.text.isEmpty()) {
            EXPECT_TRUE(m_boxes.Records().isEmpty());
            EXPECT_EQ(dialog.result(), CDlgBase::kIdOk);
            EXPECT_EQ(dialog.NewPath(),
                      m_my + QLatin1Char('/') + c.entered.trimmed() + QStringLiteral(".qor"));
        } else {
            ASSERT_EQ(m_boxes.Records().size(), 1);
            EXPECT_EQ(m_boxes.Records()[0].text, c.text);
            EXPECT_NE(dialog.result(), CDlgBase::kIdOk);
        }
    }
}

TEST_F(FileDialogs, ANewFileNeverGoesOutsideTheBaseFolder)
{
    CDlgFileAction2 dialog(CDlgFileAction2::kNewName, false, m_box.Folders());
    dialog.SetName(QStringLiteral("Mine"));
    dialog.InitDialog();
    CFileTreeCtrlFilter* tree = dialog.Tree();
    // The sample folder lies outside the vehicle folder and holds samples only.
    ASSERT_NE(tree->SelectPath(m_box.Folders().sampleVehicleRoot), nullptr);
    EXPECT_TRUE(dialog.TargetFolder().isEmpty());
    EXPECT_FALSE(Enabled(dialog, CDlgBase::kIdOk));
    Edit(dialog, CDlgFileAction2::kIdName)->setText(QStringLiteral("Mine"));
    Click(dialog, CDlgBase::kIdOk);
    EXPECT_NE(dialog.result(), CDlgBase::kIdOk) << "no file at the file-system root";
    // The name field keeps separators out.
    QLineEdit* name = Edit(dialog, CDlgFileAction2::kIdName);
    name->clear();
    QTest::keyClicks(name, QStringLiteral("../x/y"));
    EXPECT_FALSE(name->text().contains(QLatin1Char('/')));
    ASSERT_NE(tree->SelectPath(m_box.Folders().vehicles), nullptr);
    EXPECT_EQ(dialog.TargetFolder(), m_box.Folders().vehicles + QLatin1Char('/'));
    EXPECT_TRUE(Enabled(dialog, CDlgBase::kIdOk));
    ASSERT_NE(tree->SelectPath(m_kinds[0]), nullptr);
    EXPECT_TRUE(name->text().isEmpty()) << "a file item empties the name";
    EXPECT_FALSE(Enabled(dialog, CDlgBase::kIdOk));
}

TEST_F(FileDialogs, TheNewCombinationIsNamedFromBothVehicles)
{
    CDlgKombiNeu dialog(m_box.Folders());
    dialog.InitDialog();
    CFileTreeCtrlFilter* zug = dialog.ZugTree();
    CFileTreeCtrlFilter* anh = dialog.AnhTree();
    ASSERT_TRUE(zug && anh);
    EXPECT_EQ(dialog.TargetFolder(), m_myKombi + QLatin1Char('/'));
    EXPECT_EQ(Edit(dialog, CDlgKombiNeu::kIdFolder)->text(), QStringLiteral("My combinations"));
    // The trailer boxes offer the kinds the towing vehicle's kind can tow, ticked; the others greyed.
    const auto expectBoxes = [&dialog](bool sattel) {
        for (const auto& [id, passt] :
             {std::pair{CDlgKombiNeu::kIdDrawbar, !sattel}, std::pair{CDlgKombiNeu::kIdRigidDrawbar, !sattel},
              std::pair{CDlgKombiNeu::kIdSemiTrailer, sattel}}) {
            SCOPED_TRACE(id);
            const auto* box = qobject_cast<QAbstractButton*>(ControlId::Find(&dialog, id));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isChecked(), passt);
            EXPECT_EQ(box->isEnabled(), passt);
        }
    };
    expectBoxes(false);
    EXPECT_EQ(zug->SelectPath(m_kinds[4]), nullptr) << "the truck button hides tractor units";
    ASSERT_NE(zug->SelectPath(m_kinds[0]), nullptr);
    EXPECT_EQ(Edit(dialog, CDlgKombiNeu::kIdName)->text(), Text(639) + QStringLiteral("_k0__"));
    EXPECT_FALSE(dialog.IsReady());
    EXPECT_FALSE(Enabled(dialog, CDlgBase::kIdOk));
    // A truck draws drawbar and rigid-drawbar trailers.
    struct Case
    {
        QString path;
        bool listed;
    };
    for (const Case& c : QList<Case>{{m_kinds[1], true}, {m_kinds[2], true}, {m_kinds[3], false}}) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(VehicleCatalogueSandbox::ItemOf(*anh, c.path) != nullptr, c.listed);
    }
    ASSERT_NE(anh->SelectPath(m_kinds[1]), nullptr);
    EXPECT_EQ(Edit(dialog, CDlgKombiNeu::kIdName)->text(), Text(639) + QStringLiteral("_k0_k1"));
    EXPECT_TRUE(Enabled(dialog, CDlgBase::kIdOk));
    // The rigid-drawbar box off: only drawbar trailers.
    Click(dialog, CDlgKombiNeu::kIdRigidDrawbar);
    EXPECT_EQ(VehicleCatalogueSandbox::ItemOf(*anh, m_kinds[2]), nullptr);
    EXPECT_TRUE(Edit(dialog, CDlgKombiNeu::kIdAnhName)->text().isEmpty());
    // A tractor unit draws semi-trailers, the sample one too.
    Click(dialog, CDlgKombiNeu::kIdTractor);
    expectBoxes(true);
    EXPECT_TRUE(Edit(dialog, CDlgKombiNeu::kIdName)->text().isEmpty());
    ASSERT_NE(zug->SelectPath(m_kinds[4]), nullptr);
    const QString sampleTrailer =
        m_box.Folders().sampleVehicleRoot + QStringLiteral("/Sample semi-trailer.qor");
    for (const Case& c : QList<Case>{{m_kinds[1], false}, {m_kinds[3], true}, {sampleTrailer, true}}) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(VehicleCatalogueSandbox::ItemOf(*anh, c.path) != nullptr, c.listed);
    }
    ASSERT_NE(anh->SelectPath(m_kinds[3]), nullptr);
    EXPECT_TRUE(dialog.IsReady());
    const QString picture = Artifacts() + QStringLiteral("/new_combination.png");
    EXPECT_TRUE(Enabled(dialog, CDlgBase::kIdOk));
    EXPECT_TRUE(dialog.grab().save(picture));
    // Back to a truck: its two trailer kinds are offered ticked again.
    Click(dialog, CDlgKombiNeu::kIdTruck);
    expectBoxes(false);
}

namespace {

class ScriptedKombiNeu : public CDlgKombiNeu
{
public:
    using CDlgKombiNeu::CDlgKombiNeu;
    QString answer;

protected:
    bool ChooseFolder(QString& folder) override
    {
        folder = answer;
        return true;
    }
};

} // namespace

TEST_F(FileDialogs, TheNewCombinationChecksItsNameFolderAndCoupling)
{
    ScriptedKombiNeu dialog(m_box.Folders());
    dialog.InitDialog();
    ASSERT_NE(dialog.ZugTree()->SelectPath(m_kinds[0]), nullptr);
    ASSERT_NE(dialog.AnhTree()->SelectPath(m_kinds[1]), nullptr);
    // A folder outside the combinations keeps the default; one inside becomes the target.
    dialog.answer = m_box.Folders().vehicles;
    Click(dialog, CDlgKombiNeu::kIdChooseFolder);
    EXPECT_EQ(dialog.TargetFolder(), dialog.DefaultTarget());
    dialog.answer = m_box.Folders().combinations;
    Click(dialog, CDlgKombiNeu::kIdChooseFolder);
    EXPECT_EQ(dialog.TargetFolder(), m_box.Folders().combinations + QLatin1Char('/'));
    EXPECT_TRUE(Edit(dialog, CDlgKombiNeu::kIdFolder)->text().isEmpty());
    dialog.answer = m_myKombi;
    Click(dialog, CDlgKombiNeu::kIdChooseFolder);

    struct Case
    {
        const char* name;
        QString entered;
        QString coupling;
        QString text;
    };
    const QList<Case> cases{
        {"coupling 0", QStringLiteral("New train"), QStringLiteral("0"), Text(302) + QLatin1Char('!')},
        {"existing name", QStringLiteral("Road train"), QStringLiteral("900"),
         Text(642).replace(QLatin1String("%s"), QStringLiteral("Road train"))},
        {"empty name", QString(), QStringLiteral("900"), Text(79) + QLatin1Char('!')},
        {"accepted", QStringLiteral("New train"), QStringLiteral("900"), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.Clear();
        Edit(dialog, CDlgKombiNeu::kIdName)->setText(c.entered);
        Edit(dialog, CDlgKombiNeu::kIdInteger)->setText(c.coupling);
        Click(dialog, CDlgBase::kIdOk);
        if (c.text.isEmpty()) {
            EXPECT_TRUE(m_boxes.Records().isEmpty());
            EXPECT_EQ(dialog.result(), CDlgBase::kIdOk);
        } else {
            ASSERT_EQ(m_boxes.Records().size(), 1);
            EXPECT_EQ(m_boxes.Records()[0].text, c.text);
            EXPECT_NE(dialog.result(), CDlgBase::kIdOk);
        }
    }
    EXPECT_EQ(dialog.NewPath(), m_myKombi + QStringLiteral("/New train.kmb"));
    EXPECT_EQ(dialog.Integer(), 900);
    EXPECT_EQ(dialog.ZugPath(), m_kinds[0]);
    EXPECT_EQ(dialog.AnhaengerPath(), m_kinds[1]);
}

TEST_F(FileDialogs, TheNewCombinationProposesACouplingDistanceItAccepts)
{
    CDlgKombiNeu dialog(m_box.Folders());
    dialog.InitDialog();
    ASSERT_NE(dialog.ZugTree()->SelectPath(m_kinds[0]), nullptr);
    ASSERT_NE(dialog.AnhTree()->SelectPath(m_kinds[1]), nullptr);
    m_boxes.Clear();
    Click(dialog, CDlgBase::kIdOk);
    EXPECT_TRUE(m_boxes.Records().isEmpty());
    EXPECT_EQ(dialog.result(), CDlgBase::kIdOk);
    EXPECT_GT(dialog.Integer(), 0);
    EXPECT_EQ(Edit(dialog, CDlgKombiNeu::kIdInteger)->text().toInt(), dialog.Integer());
}

TEST_F(FileDialogs, TheFolderDialogChoosesFoldersOnly)
{
    struct Case
    {
        int mode;
        QString root;
        QString pattern;
        QString sub;
    };
    const VehicleFolders& f = m_box.Folders();
    const QList<Case> cases{
        {CDlgSelectFolder::kVehicles, f.vehicles, QStringLiteral("*.qor"), Text(229)},
        {CDlgSelectFolder::kLoadUnits, f.loadUnits, QStringLiteral("*.lgs"), Text(231)},
        {CDlgSelectFolder::kKombinationen, f.combinations, QStringLiteral("*.kmb"), Text(640)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        CDlgSelectFolder dialog(c.mode, f, 454);
        dialog.InitDialog();
        EXPECT_EQ(dialog.windowTitle(), Text(467));
        EXPECT_EQ(qobject_cast<QAbstractButton*>(ControlId::Find(&dialog, CDlgBase::kIdOk))->text(),
                  Text(454));
        ASSERT_NE(dialog.Tree(), nullptr);
        EXPECT_EQ(dialog.Tree()->RootFolder(), c.root);
        EXPECT_EQ(dialog.Tree()->FilePatterns(), QStringList{c.pattern});
        EXPECT_EQ(dialog.Tree()->GetSelectedPath(), c.root + QLatin1Char('/') + c.sub);
        EXPECT_TRUE(Enabled(dialog, CDlgBase::kIdOk));
        if (c.mode == CDlgSelectFolder::kVehicles) {
            ASSERT_NE(dialog.Tree()->SelectPath(m_kinds[0]), nullptr);
            EXPECT_FALSE(Enabled(dialog, CDlgBase::kIdOk)) << "a file is no folder";
            EXPECT_FALSE(Enabled(dialog, CDlgSelectFolder::kIdNewFolder));
            dialog.Tree()->SelectPath(m_my);
        }
        Click(dialog, CDlgBase::kIdOk);
        EXPECT_EQ(dialog.result(), CDlgBase::kIdOk);
        EXPECT_EQ(dialog.Folder(), dialog.Tree()->GetSelectedPath());
    }
    CDlgSelectFolder other(3, f);
    other.InitDialog();
    EXPECT_EQ(other.Tree(), nullptr) << "another mode leaves the dialog empty";
}

// The roots of the vehicle and combination trees carry the language's names of the user's folders, which
// keep their names on disk; the sample root keeps its own name.
TEST_F(FileDialogs, TreeRootsShowTheLanguagesNamesOfTheUserFolders)
{
    struct Sprache
    {
        const char* code;
        const char* fahrzeuge;
        const char* kombinationen;
    };
    const VehicleFolders& f = m_box.Folders();
    // The module current before is current again however a round ends.
    struct Zurueck
    {
        const ResourceModule* vorher = ResourceModule::Current();
        ~Zurueck() { ResourceModule::SetCurrent(vorher); }
    };
    for (const Sprache& s : {Sprache{"EN", "Vehicles", "Combinations"}, Sprache{"DE", "Fahrzeuge", "Züge"}}) {
        SCOPED_TRACE(s.code);
        const Zurueck zurueck;
        const std::unique_ptr<ResourceModule> modul = ResourceModule::Load(
            QString::fromLatin1(s.code), QCoreApplication::applicationDirPath(), nullptr);
        ASSERT_NE(modul, nullptr);
        ResourceModule::SetCurrent(modul.get());
        // Root path and shown name of every root of a tree, in order.
        const auto wurzeln = [](const CFileTreeCtrl* tree) {
            std::vector<std::pair<QString, QString>> w;
            for (int i = 0; tree && i < tree->topLevelItemCount(); ++i) {
                const auto* item = CFileTreeCtrl::Item(tree->topLevelItem(i));
                w.emplace_back(item->Info().m_strFilePath, item->text(0));
            }
            return w;
        };
        const QString fahrzeuge = QString::fromUtf8(s.fahrzeuge);
        const std::vector<std::pair<QString, QString>> fahrzeugWurzeln = {
            {f.vehicles, fahrzeuge}, {f.sampleVehicleRoot, QFileInfo(f.sampleVehicleRoot).fileName()}};
        {
            CDlgFileAction2 oeffnen(CDlgFileAction2::kChoose, false, f);
            oeffnen.InitDialog();
            EXPECT_EQ(wurzeln(oeffnen.Tree()), fahrzeugWurzeln) << "open a vehicle";
        }
        {
            CDlgFileAction2 oeffnen(CDlgFileAction2::kChoose, true, f);
            oeffnen.InitDialog();
            const std::vector<std::pair<QString, QString>> erwartet = {
                {f.combinations, QString::fromUtf8(s.kombinationen)}};
            EXPECT_EQ(wurzeln(oeffnen.Tree()), erwartet) << "open a combination";
        }
        {
            CDlgKombiNeu neu(f);
            neu.InitDialog();
            EXPECT_EQ(wurzeln(neu.ZugTree()), fahrzeugWurzeln) << "new combination, towing vehicle";
            EXPECT_EQ(wurzeln(neu.AnhTree()), fahrzeugWurzeln) << "new combination, trailer";
        }
        EXPECT_EQ(QFileInfo(f.vehicles).fileName(), QStringLiteral("vehicles")) << "the name on disk stays";
        EXPECT_EQ(QFileInfo(f.combinations).fileName(), QStringLiteral("combinations"));
    }
}
