// The FSM item editor: the checks in order, the name look-up, placed mode through the plan, pictures.
#include "loadsecuring/CDlgFSM.h"
#include "loadsecuring/LgsFsmEditors.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/ProgramRun.h"
#include "ui/ScriptedMessageBoxService.h"
#include "views/IPlanDialogs.h"

#include "../ui/UiTestModule.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

class DlgFsmTest : public testing::Test
{
protected:
    DlgFsmTest() : m_templates(UiTestModule())
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_dlgfsm_" + std::to_string(rd()));
        fs::create_directories(root);
    }
    ~DlgFsmTest() override
    {
        LgsFsmEditors::SetRunner(nullptr);
        LgsFsmEditors::Uninstall();
        fs::remove_all(root);
    }

    // A catalogue entry with every value the checks accept.
    static void Fill(CDlgFSM& dialog, int modus, int typ)
    {
        FsmEditorWerte& w = dialog.m_werte;
        w.nModus = modus;
        w.nTyp = typ;
        w.strName = "Keil";
        w.dLaenge = 0.2;
        w.dBreite = 0.3;
        w.dHoehe = 0.4;
        w.dMasse = 0.005;
        w.strText = "Holz";
    }
    static void Placed(CDlgFSM& dialog)
    {
        Fill(dialog, 0, 6);
        FsmEditorWerte& w = dialog.m_werte;
        w.bPlatziert = true;
        w.nSeite = 3;
        w.nKontakt = 1;
        w.nZellen = 4;
        w.nKatSeite = 3;
        w.nKatKontakt = 1;
        w.nKatZellen = 4;
    }
    static void Press(QObject* dialog, int id)
    {
        CommandEvent command(static_cast<quint32>(id));
        QCoreApplication::sendEvent(dialog, &command);
    }
    static bool Enabled(CDlgFSM& dialog, int id)
    {
        QWidget* w = dialog.findChild<QWidget*>(ControlId::ObjectName(id));
        return w && w->isEnabled();
    }

    fs::path root;
    ProgramRun run;
    ScriptedMessageBoxService boxes;

private:
    ScopedDialogTemplateModule m_templates;
};

TEST_F(DlgFsmTest, RefusesInOrderStoresWhatItReadAndFocusesTheField)
{
    struct Case
    {
        const char* what;
        bool placed;
        int typ;
        int fieldId;
        std::optional<QString> text; // nullopt empties the field
        int textId;                  // 0: accepted
    };
    const Case cases[] = {
        {"empty name", false, 6, 1014, std::nullopt, 219},
        {"length 0", false, 6, 1041, QStringLiteral("0"), 469},
        {"empty length", false, 6, 1041, std::nullopt, 469},
        {"width 0", false, 6, 1015, QStringLiteral("0"), 0},
        {"empty width", false, 6, 1015, std::nullopt, 470},
        {"height 0", false, 6, 1043, QStringLiteral("0"), 471},
        {"height 0 of type 5", false, 5, 1043, QStringLiteral("0"), 0},
        {"empty mass", false, 6, 1018, std::nullopt, 141},
        {"side none", true, 6, 1305, QStringLiteral("0"), 570},
        {"no cells", true, 6, 1150, std::nullopt, 448},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.Clear();
        CDlgFSM dialog;
        if (c.placed)
            Placed(dialog);
        else
            Fill(dialog, 0, c.typ);
        dialog.show();
        if (c.fieldId == 1305)
            dialog.findChild<QComboBox*>(QStringLiteral("id_1305"))->setCurrentIndex(0);
        else
            dialog.Edit(c.fieldId)->SetText(c.text);
        // The earlier fields were read and kept even when a later one refuses.
        dialog.Edit(1014)->SetText(c.fieldId == 1014 ? c.text : QStringLiteral("Wedge"));
        dialog.Edit(1041)->SetText(c.fieldId == 1041 ? c.text : QStringLiteral("250"));
        Press(&dialog, 714);
        if (c.textId == 0) {
            EXPECT_EQ(dialog.result(), 714);
            EXPECT_TRUE(boxes.Records().isEmpty());
            continue;
        }
        EXPECT_NE(dialog.result(), 714);
        ASSERT_EQ(boxes.Records().size(), 1);
        EXPECT_EQ(boxes.Records()[0].html.caption, Text(273));
        EXPECT_TRUE(boxes.Records()[0].html.text.contains(Text(static_cast<std::uint32_t>(c.textId))));
        EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QWidget*>(ControlId::ObjectName(c.fieldId)));
        if (c.fieldId != 1014) {
            EXPECT_EQ(dialog.m_werte.strName, "Wedge");
        }
        if (c.fieldId != 1014 && c.fieldId != 1041) {
            EXPECT_DOUBLE_EQ(dialog.m_werte.dLaenge, 0.25);
        }
    }
}

TEST_F(DlgFsmTest, LooksUpTheAdaptersPathForNewCopiedAndRenamedEntriesOnly)
{
    const fs::path existing = root / "own" / "Keil.fsm";
    fs::create_directories(existing.parent_path());
    std::ofstream(existing) << "x";
    struct Case
    {
        int modus;
        const char* name;
        bool lookedUp;
        bool saved;
    };
    const Case cases[] = {
        {0, "Keil", false, true}, // unchanged name: not looked up, even though the file exists
        {0, "Keil2", true, true}, {0, "Keil", false, true}, {1, "Keil", true, false},
        {2, "Keil", true, false}, {1, "Neu", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.modus) + c.name);
        boxes.Clear();
        CDlgFSM dialog;
        Fill(dialog, c.modus, 6);
        int lookUps = 0;
        dialog.m_fnItemPfad = [&](const std::string& name) {
            ++lookUps;
            return root / "own" / (name + ".fsm");
        };
        dialog.show();
        // A new entry starts with empty fields.
        for (const auto& [id, text] : {std::pair{1041, "200"}, {1015, "300"}, {1043, "400"}, {1018, "5"}})
            dialog.Edit(id)->SetText(QString::fromLatin1(text));
        dialog.Edit(1014)->SetText(QString::fromUtf8(c.name));
        Press(&dialog, 714);
        EXPECT_EQ(lookUps > 0, c.lookedUp);
        EXPECT_EQ(dialog.result() == 714, c.saved);
        if (!c.saved) {
            ASSERT_EQ(boxes.Records().size(), 1);
            EXPECT_EQ(boxes.Records()[0].text,
                      Text(679).replace(QStringLiteral("%s"), QString::fromUtf8(c.name)));
            EXPECT_EQ(dialog.focusWidget(), dialog.Edit(1014));
        } else {
            EXPECT_EQ(dialog.m_ergebnisPfad.empty(), !c.lookedUp);
            EXPECT_EQ(dialog.m_werte.bNameGeaendert, c.modus == 0 && std::string(c.name) != "Keil");
        }
    }
}

TEST_F(DlgFsmTest, PlacedModeThroughThePlanSeam)
{
    LgsFsmEditors::Install(run);
    IPlanDialogs::FsmValues values;
    values.nTyp = 6;
    values.strName = "Keil";
    values.dLaenge = 0.2;
    values.dBreite = 2.4;
    values.dHoehe = 0.5;
    values.dMasse = 0.01;
    values.nSeite = 0;
    values.nKontakt = 1;
    values.nZellen = 0;
    values.nKatSeite = 3;
    values.nKatKontakt = 1;
    values.nKatZellen = 6;
    values.rcAnker = QRect(100, 300, 40, 20);

    // Cancelled: nothing comes back, though the fields were changed.
    LgsFsmEditors::SetRunner([&](CDlgFSM& dialog) {
        dialog.InitDialog();
        dialog.KickIdle();
        for (int id : {1014, 1041, 1015, 1043, 1343, 1344})
            EXPECT_FALSE(Enabled(dialog, id)) << id;
        for (int id : {1305, 1150, 1306})
            EXPECT_TRUE(Enabled(dialog, id)) << id;
        EXPECT_FALSE(Enabled(dialog, 1307));
        for (int id : {1131, 1135, 1136})
            EXPECT_TRUE(dialog.Edit(id)->isReadOnly()) << id;
        EXPECT_EQ(dialog.windowTitle(), Text(683));
        EXPECT_EQ(dialog.Edit(1135)->text(), Text(526).replace(QStringLiteral("%s"), Text(426)));
        // Beside the item: to its right, bottom edges aligned (or pushed down to the screen's top).
        EXPECT_EQ(dialog.x(), 140);
        dialog.findChild<QComboBox*>(QStringLiteral("id_1305"))->setCurrentIndex(2);
        dialog.Edit(1150)->SetInt(3);
        boxes.AddAnswer(CDlgBase::kIdCancel);
        dialog.reject();
        return dialog.result();
    });
    IPlanDialogs::FsmValues before = values;
    EXPECT_FALSE(IPlanDialogs::Of(nullptr).EditFsm(nullptr, values));
    EXPECT_EQ(values.nSeite, before.nSeite);
    EXPECT_EQ(values.nZellen, before.nZellen);

    // Taken on 714: button 1323 puts the found side and cells into the chosen ones.
    LgsFsmEditors::SetRunner([&](CDlgFSM& dialog) {
        dialog.InitDialog();
        Press(&dialog, 1323);
        dialog.Edit(1018)->SetText(QStringLiteral("12"));
        Press(&dialog, 714);
        return dialog.result();
    });
    EXPECT_TRUE(IPlanDialogs::Of(nullptr).EditFsm(nullptr, values));
    EXPECT_EQ(values.nSeite, 3);
    EXPECT_EQ(values.nZellen, 6);
    EXPECT_EQ(values.nKontakt, 1);
    EXPECT_DOUBLE_EQ(values.dMasse, 0.012);
    EXPECT_EQ(values.strName, "Keil");
}

TEST_F(DlgFsmTest, CellFieldStartsByTheFoundAndChosenValues)
{
    struct Case
    {
        int katSeite, seite, katKontakt, kontakt;
        int shown;
    };
    // Chosen cells 2, found cells 7.
    const Case cases[] = {
        {3, 1, 1, 1, 2}, // another side found: the chosen cells
        {3, 3, 1, 1, 7}, // same side, same contact kind: the found cells
        {3, 3, 2, 1, 2}, // same side, another contact kind: the chosen cells
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.katKontakt * 10 + c.seite);
        CDlgFSM dialog;
        Placed(dialog);
        dialog.m_werte.nKatSeite = c.katSeite;
        dialog.m_werte.nSeite = c.seite;
        dialog.m_werte.nKatKontakt = c.katKontakt;
        dialog.m_werte.nKontakt = c.kontakt;
        dialog.m_werte.nZellen = 2;
        dialog.m_werte.nKatZellen = 7;
        dialog.InitDialog();
        EXPECT_EQ(dialog.Edit(1150)->GetInt(), c.shown);
    }
}

TEST_F(DlgFsmTest, CancelInPlacedModeAsksUntilSwitchedOff)
{
    struct Step
    {
        int answer;
        bool tick;
        bool asked;
        bool closed;
    };
    // Keep editing, then discard ticking "do not ask again", then no question at all.
    const Step steps[] = {{CDlgBase::kIdOk, false, true, false},
                          {CDlgBase::kIdCancel, true, true, true},
                          {CDlgBase::kIdOk, false, false, true}};
    CDlgFSM dialog;
    Placed(dialog);
    dialog.show();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.answer);
        boxes.Clear();
        boxes.AddAnswer(s.answer, s.tick);
        dialog.show();
        Press(&dialog, CDlgBase::kIdCancel);
        EXPECT_EQ(boxes.Records().size(), s.asked ? 1 : 0);
        if (s.asked) {
            EXPECT_EQ(boxes.Records()[0].html.textId, 696);
            EXPECT_TRUE(boxes.Records()[0].html.checkBox);
        }
        EXPECT_EQ(!dialog.isVisible(), s.closed);
    }
    // Outside placed mode Cancel closes at once.
    boxes.Clear();
    CDlgFSM entry;
    Fill(entry, 0, 6);
    entry.show();
    Press(&entry, CDlgBase::kIdCancel);
    EXPECT_TRUE(boxes.Records().isEmpty());
    EXPECT_FALSE(entry.isVisible());
}

TEST_F(DlgFsmTest, TheTickedCancelQuestionOfPlacedItemsHoldsForItsRunOnly)
{
    IPlanDialogs::FsmValues values;
    values.nTyp = 6;
    values.strName = "Keil";
    values.dLaenge = 0.2;
    values.dBreite = 2.4;
    values.dHoehe = 0.5;
    values.dMasse = 0.01;
    // Every editor is cancelled; the question is answered "discard" with its box ticked.
    LgsFsmEditors::SetRunner([&](CDlgFSM& dialog) {
        dialog.InitDialog();
        boxes.AddAnswer(CDlgBase::kIdCancel, true);
        dialog.reject();
        return dialog.result();
    });
    ProgramRun naechster;
    const struct
    {
        const char* name;
        ProgramRun* pRun;
        int nFragen;
    } faelle[] = {{"first editor of the run", &run, 1},
                  {"next editor of the run", &run, 0},
                  {"first editor of the next run", &naechster, 1}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        LgsFsmEditors::Install(*fall.pRun);
        boxes.Clear();
        EXPECT_FALSE(IPlanDialogs::Of(nullptr).EditFsm(nullptr, values));
        EXPECT_EQ(boxes.Records().size(), fall.nFragen);
    }
    EXPECT_TRUE(run.GetAntworten().bFsmAbbruchFrageAus);
}

TEST_F(DlgFsmTest, PicturesFitTheFrameAndABadFileKeepsTheOldOne)
{
    const QString big = QString::fromStdString((root / "big.png").string());
    QImage large(1000, 400, QImage::Format_RGB32);
    large.fill(QColor(200, 80, 40));
    ASSERT_TRUE(large.save(big, "PNG"));
    const QString bad = QString::fromStdString((root / "bad.png").string());
    std::ofstream(bad.toStdString()) << "\x89PNG broken";

    CDlgFSM dialog;
    Fill(dialog, 0, 6);
    QImage old(50, 50, QImage::Format_RGB32);
    old.fill(Qt::green);
    dialog.SetBild(old, QStringLiteral("old.png"));
    dialog.InitDialog();

    EXPECT_FALSE(dialog.LoadPictureFile(bad));
    EXPECT_EQ(dialog.Bild(), old);
    EXPECT_EQ(dialog.BildPfad(), QStringLiteral("old.png"));
    EXPECT_FALSE(dialog.BildGeaendert());
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(boxes.Records()[0].text, Text(1347));

    ASSERT_TRUE(dialog.LoadPictureFile(big));
    EXPECT_EQ(dialog.Bild().size(), QSize(172, 68));
    EXPECT_EQ(dialog.BildPfad(), big);
    EXPECT_TRUE(dialog.BildGeaendert());

    CDlgFSM other;
    Fill(other, 0, 6);
    other.SetBild(old, QStringLiteral("old.png"));
    other.InitDialog();
    Press(&other, 1344);
    EXPECT_TRUE(other.Bild().isNull());
    EXPECT_TRUE(other.BildPfad().isEmpty());
    EXPECT_TRUE(other.BildGeaendert());
    EXPECT_FALSE(other.StandardBild().isNull());
}

TEST_F(DlgFsmTest, PicturesOfBothModes)
{
    const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR);
    QDir().mkpath(dir);
    CDlgFSM entry;
    Fill(entry, 0, 6);
    QImage picture(160, 100, QImage::Format_RGB32);
    picture.fill(QColor(230, 210, 170));
    {
        QPainter p(&picture);
        p.setBrush(QColor(160, 110, 60));
        p.drawPolygon(QPolygon({{10, 90}, {150, 90}, {150, 20}}));
    }
    entry.SetBild(picture, QStringLiteral("wedge.png"));
    entry.show();
    entry.KickIdle();
    EXPECT_TRUE(entry.grab().save(dir + QStringLiteral("/fsm_editor_entry.png")));

    CDlgFSM placed;
    Placed(placed);
    placed.m_werte.nKatZellen = 6;
    placed.m_werte.nKraft = 2000;
    placed.show();
    placed.KickIdle();
    EXPECT_TRUE(placed.grab().save(dir + QStringLiteral("/fsm_editor_placed.png")));
}

} // namespace
