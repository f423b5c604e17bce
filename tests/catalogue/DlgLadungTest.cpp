// The load-unit editor dialog: refusals, presets, centre of gravity, saving and its picture.
#include "catalogue/CDlgLadung.h"
#include "catalogue/QImageItemPicture.h"
#include "model/files/VehicleFiles.h"
#include "model/text/TextFormat.h"
#include "ui/ResourcePictures.h"

#include "../ui/UiTestModule.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QValidator>

#include <gtest/gtest.h>

#include <random>

namespace fs = std::filesystem;

namespace {

class DlgLadungTest : public testing::Test
{
protected:
    DlgLadungTest() : m_templates(UiTestModule())
    {
        std::random_device rd;
        root = fs::temp_directory_path() / ("qor_dlgladung_" + std::to_string(rd()));
        folders = {root / "lu", root / "fsm", root / "pic", root / "samples"};
        fs::create_directories(folders.loadUnits);
    }
    ~DlgLadungTest() override { fs::remove_all(root); }

    static void Type(CDlgLadung& dialog, const std::vector<std::pair<int, const char*>>& values)
    {
        for (const auto& [id, text] : values)
            dialog.Field(id)->setText(QString::fromUtf8(text));
    }

    fs::path root;
    CatalogueFolders folders;
    std::vector<QString> notices;

private:
    ScopedDialogTemplateModule m_templates;
};

TEST_F(DlgLadungTest, NewUnitIsCheckedPresetAndSaved)
{
    tagItemData caller;
    CDlgLadung dialog(caller, 1, folders);
    dialog.SetNotice([this](const QString&, const QString& text) { notices.push_back(text); });
    dialog.InitDialog();
    ASSERT_NE(dialog.Field(1014), nullptr);
    EXPECT_EQ(dialog.windowTitle(), QString::fromStdString(LoadResString(478)));
    EXPECT_TRUE(dialog.findChild<QCheckBox*>(QStringLiteral("id_1094"))->isChecked());
    // Centred: the centre-of-gravity fields follow the sizes; no preset chosen, no picture to remove.
    struct Enabled
    {
        const char* name;
        bool on;
    };
    for (const Enabled& e : {Enabled{"id_1042", false}, Enabled{"id_731", false}, Enabled{"id_1342", false},
                             Enabled{"id_1344", false}, Enabled{"id_1041", true}}) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(dialog.findChild<QWidget*>(QString::fromLatin1(e.name))->isEnabled(), e.on);
    }

    // The name field takes no path characters and no dot.
    Type(dialog, {{1014, "Kiste"}});
    QLineEdit* name = dialog.Field(1014);
    int pos = 0;
    QString typed = QStringLiteral("a.b");
    EXPECT_NE(name->validator()->validate(typed, pos), QValidator::Acceptable);

    // Empty fields are refused in order with their texts; nothing is written.
    EXPECT_FALSE(dialog.Save());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices.back(), QString::fromStdString(LoadResString(469)));
    EXPECT_TRUE(fs::is_empty(folders.loadUnits));

    dialog.ApplyPreset(2);
    EXPECT_EQ(dialog.FieldTexts(), (LadungFieldTexts{"1240", "835", "970", "", "620", "418", "485"}));
    Type(dialog, {{1018, "0"}, {1043, "1000"}});
    dialog.SizeFieldLeft();
    EXPECT_EQ(dialog.Field(1019)->text(), QStringLiteral("500"));

    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(QColor(196, 150, 90));
    dialog.SetPicture(picture);
    EXPECT_TRUE(dialog.findChild<QWidget*>(QStringLiteral("id_1344"))->isEnabled());
    ASSERT_TRUE(dialog.Save()) << (notices.empty() ? "" : notices.back().toStdString());
    EXPECT_EQ(caller.m_strName, "Kiste");
    EXPECT_DOUBLE_EQ(caller.m_dBreite, 0.835);
    EXPECT_EQ(caller.m_dMasse, 0.0);
    EXPECT_FALSE(
        QImage(QString::fromStdString((folders.pictures / caller.m_strBildDatei).string())).isNull());
    tagItemData read;
    EXPECT_TRUE(LoadItemDataFile(folders.loadUnits / "Kiste.lgs", read));

    // A second unit of the same name is refused with the name in the message.
    tagItemData other;
    CDlgLadung again(other, 1, folders);
    again.SetNotice([this](const QString&, const QString& text) { notices.push_back(text); });
    again.InitDialog();
    Type(again, {{1014, "Kiste"},
                 {1041, "1"},
                 {1015, "1"},
                 {1043, "1"},
                 {1018, "1"},
                 {1042, "1"},
                 {1016, "1"},
                 {1019, "1"}});
    EXPECT_FALSE(again.Save());
    EXPECT_TRUE(notices.back().contains(QLatin1String("\"Kiste\""))) << notices.back().toStdString();
    EXPECT_FALSE(again.LoadPictureFile(QString::fromStdString((root / "none.png").string())));
    EXPECT_EQ(notices.back(), QString::fromStdString(LoadResString(1347)));
}

// The number fields refuse what no real load unit has: the message names the bounds, the field's text
// is selected for correction, and nothing is written. A 309-digit length would have been 1e305 m.
TEST_F(DlgLadungTest, ValuesOutsideTheBoundsAreRefusedWithTheBoundsNamed)
{
    tagItemData caller;
    CDlgLadung dialog(caller, 1, folders);
    dialog.SetNotice([this](const QString&, const QString& text) { notices.push_back(text); });
    dialog.InitDialog();
    dialog.findChild<QCheckBox*>(QStringLiteral("id_1094"))->setChecked(false);
    const std::string huge = "1" + std::string(308, '0');
    struct Fall
    {
        int id;
        std::string text;
        QString message;
    };
    const Fall faelle[] = {
        {1041, huge, QString::fromStdString(FormatResChecked(290, {1, 25000})) + QLatin1Char('.')},
        {1015, "0", QString::fromStdString(FormatResChecked(99, {1, 5000})) + QLatin1Char('.')},
        {1043, "5001", QString::fromStdString(FormatResChecked(340, {5000})) + QLatin1Char('.')},
        {1018, "100000", QString::fromStdString(FormatResChecked(291, {0, 99990})) + QLatin1Char('.')},
        {1042, "1201", QString::fromStdString(FormatResChecked(61990, {1200})) + QLatin1Char('.')},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.id);
        Type(dialog, {{1014, "Kiste"},
                      {1041, "1200"},
                      {1015, "800"},
                      {1043, "1000"},
                      {1018, "500"},
                      {1042, "600"},
                      {1016, "400"},
                      {1019, "500"}});
        dialog.Field(f.id)->setText(QString::fromStdString(f.text));
        notices.clear();
        EXPECT_FALSE(dialog.Save());
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices.back(), f.message);
        // The refused field is the one to correct, its text selected.
        EXPECT_EQ(dialog.Field(f.id)->selectedText(), QString::fromStdString(f.text));
        EXPECT_TRUE(fs::is_empty(folders.loadUnits));
    }
    // In bounds, the same unit is saved.
    Type(dialog, {{1042, "600"}});
    EXPECT_TRUE(dialog.Save());
    EXPECT_DOUBLE_EQ(caller.m_dLaenge, 1.2);
}

TEST_F(DlgLadungTest, CopyAndEditShowTheRecord)
{
    tagItemData caller;
    caller.m_strName = "Truhe";
    caller.m_dLaenge = 1.2;
    caller.m_dBreite = 0.8;
    caller.m_dHoehe = 0.9;
    caller.m_dMasse = 0.25;
    caller.m_dSPLaenge = 0.6;
    caller.m_pBild = std::make_unique<QImageItemPicture>(
        QImage(QStringLiteral(":/qt-project.org/qmessagebox/images/qtlogo-64.png")));
    CDlgLadung copy(caller, 2, folders);
    copy.InitDialog();
    EXPECT_EQ(copy.Field(1014)->text(),
              QStringLiteral("Truhe - ") + QString::fromStdString(LoadResString(686)));
    EXPECT_EQ(copy.FieldTexts(), (LadungFieldTexts{"1200", "800", "900", "250", "600", "0", "0"}));
    copy.Field(1016)->setText(QStringLiteral("950"));
    copy.GravityFieldLeft(1016);
    EXPECT_EQ(copy.Field(1016)->text(), QStringLiteral("800"));

    QImage photo(160, 100, QImage::Format_RGB32);
    photo.fill(QColor(120, 170, 220));
    copy.SetPicture(photo);
    copy.resize(copy.size());
    const QImage shot = copy.grab().toImage();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    EXPECT_TRUE(shot.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/load_unit_editor.png")));
}

TEST_F(DlgLadungTest, AUnitWithoutPictureShowsTheStandardPictureAndSavesNone)
{
    tagItemData caller;
    CDlgLadung dialog(caller, 1, folders);
    dialog.SetNotice([this](const QString&, const QString& text) { notices.push_back(text); });
    dialog.InitDialog();
    dialog.show();
    QWidget* frame = dialog.findChild<QWidget*>(QStringLiteral("id_1346"));
    ASSERT_NE(frame, nullptr);
    const QImage standard = LoadCxImageFromResource(CDlgLadung::kStandardBildId, PICTURE_FORMAT_PNG);
    ASSERT_FALSE(standard.isNull());
    // The standard picture's centre pixel stands at the frame's centre, at its own size.
    auto centre = [&] { return frame->grab().toImage().pixelColor(frame->rect().center()); };
    const QColor standardCentre = standard.pixelColor(standard.width() / 2, standard.height() / 2);
    EXPECT_EQ(centre(), standardCentre);
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 10));
    dialog.SetPicture(picture);
    EXPECT_EQ(centre(), QColor(10, 200, 10));
    dialog.RemovePicture();
    EXPECT_EQ(centre(), standardCentre);

    Type(dialog, {{1014, "Ohne Bild"}, {1041, "1200"}, {1015, "800"}, {1043, "1000"}, {1018, "10"}});
    dialog.SizeFieldLeft();
    ASSERT_TRUE(dialog.Save()) << (notices.empty() ? "" : notices.back().toStdString());
    EXPECT_TRUE(caller.m_strBildDatei.empty());
    EXPECT_TRUE(!fs::exists(folders.pictures) || fs::is_empty(folders.pictures));
    EXPECT_TRUE(fs::exists(folders.loadUnits / "Ohne Bild.lgs"));
}

} // namespace
