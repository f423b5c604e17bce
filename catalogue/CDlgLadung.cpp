// The load-unit editor: fields, presets, centre of gravity, picture frame and saving.
#include "catalogue/CDlgLadung.h"

#include "catalogue/QImageItemPicture.h"
#include "model/text/TextProvider.h"
#include "ui/ControlId.h"
#include "ui/ResourcePictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace {
QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

// The number fields in the order of LadungField.
constexpr int kFieldIds[kFieldCount] = {1041, 1015, 1043, 1018, 1042, 1016, 1019};
constexpr int kNameId = 1014;
constexpr int kPresetId = 1345;
constexpr int kApplyId = 1342;
constexpr int kCentredId = 1094;
constexpr int kCentreId = 731;
constexpr int kFrameId = 1346;
constexpr int kLoadId = 1343;
// The picture formats the load button offers, a fixed text of the editor.
constexpr const char* kPictureFilter =
    "Bitmapdateien (*.bmp);;JPEG (*.jpeg *.jpg *.jpe);;PNG (*.png);;GIF (*.gif);;ICO (*.ico);;"
    "Alle Bilddateien (*.bmp *.jpeg *.jpg *.jpe *.png *.gif *.ico);;Alle Dateien (*)";
constexpr int kRemoveId = 1344;
} // namespace

CDlgLadung::CDlgLadung(tagItemData& item, int mode, const CatalogueFolders& folders, QWidget* parent)
    : CDlgBase(kTemplateId, parent), m_caller(item), m_work(item), m_mode(mode), m_folders(folders)
{
}

QLineEdit* CDlgLadung::Field(int id) const
{
    return findChild<QLineEdit*>(ControlId::ObjectName(id));
}

bool CDlgLadung::Centred() const
{
    auto* box = findChild<QCheckBox*>(ControlId::ObjectName(kCentredId));
    return box && box->isChecked();
}

bool CDlgLadung::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    m_standardBild = LoadCxImageFromResource(kStandardBildId, PICTURE_FORMAT_PNG);
    setWindowTitle(Text(m_mode == 1 ? 478 : m_mode == 2 ? 481 : 282));
    if (QLineEdit* name = Field(kNameId)) {
        // Names become file names: no path characters and no dot.
        name->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\\\/:*?\"<>|.]*")), name));
        QString text = QString::fromStdString(m_work.m_strName);
        if (m_mode == 2)
            text += QStringLiteral(" - ") + Text(686);
        name->setText(text);
    }
    for (int id : kFieldIds)
        if (QLineEdit* field = Field(id))
            field->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    if (auto* presets = findChild<QComboBox*>(ControlId::ObjectName(kPresetId))) {
        presets->addItem(Text(57), 0);
        presets->addItem(Text(59), 1);
        presets->addItem(Text(58), 2);
        presets->setCurrentIndex(-1);
    }
    if (m_mode == 1) {
        if (auto* box = findChild<QCheckBox*>(ControlId::ObjectName(kCentredId)))
            box->setChecked(true);
    } else {
        const tagItemData& r = m_work;
        SetFieldTexts({FormatLadungField(r.m_dLaenge), FormatLadungField(r.m_dBreite),
                       FormatLadungField(r.m_dHoehe), FormatLadungField(r.m_dMasse),
                       FormatLadungField(r.m_dSPLaenge), FormatLadungField(r.m_dSPBreite),
                       FormatLadungField(r.m_dSPHoehe)});
        if (QLineEdit* name = Field(kNameId)) {
            name->setFocus();
            name->selectAll();
        }
    }
    SubclassCtrl(kFrameId);
    if (auto* presets = findChild<QComboBox*>(ControlId::ObjectName(kPresetId)))
        connect(presets, &QComboBox::currentIndexChanged, this, [this] { UpdateControls(); });
    for (int i = kFieldLength; i <= kFieldHeight; ++i)
        if (QLineEdit* field = Field(kFieldIds[i]))
            connect(field, &QLineEdit::editingFinished, this, [this] { SizeFieldLeft(); });
    for (int i = kFieldCogX; i <= kFieldCogZ; ++i)
        if (QLineEdit* field = Field(kFieldIds[i]))
            connect(field, &QLineEdit::editingFinished, this, [this, i] { GravityFieldLeft(kFieldIds[i]); });
    UpdateControls();
    return true;
}

void CDlgLadung::UpdateControls()
{
    auto enable = [this](int id, bool on) {
        if (QWidget* w = findChild<QWidget*>(ControlId::ObjectName(id)))
            w->setEnabled(on);
    };
    auto* presets = findChild<QComboBox*>(ControlId::ObjectName(kPresetId));
    enable(kApplyId, presets && presets->currentIndex() >= 0);
    const bool free = !Centred();
    for (int i = kFieldCogX; i <= kFieldCogZ; ++i)
        enable(kFieldIds[i], free);
    enable(kCentreId, free);
    enable(kRemoveId, m_work.m_pBild != nullptr);
}

LadungFieldTexts CDlgLadung::FieldTexts() const
{
    LadungFieldTexts texts;
    for (int i = 0; i < kFieldCount; ++i)
        if (QLineEdit* field = Field(kFieldIds[i]))
            texts[static_cast<std::size_t>(i)] = field->text().toStdString();
    return texts;
}

void CDlgLadung::SetFieldTexts(const LadungFieldTexts& texts)
{
    for (int i = 0; i < kFieldCount; ++i)
        if (QLineEdit* field = Field(kFieldIds[i]))
            field->setText(QString::fromStdString(texts[static_cast<std::size_t>(i)]));
}

void CDlgLadung::ApplyPreset(int preset)
{
    LadungFieldTexts texts = FieldTexts();
    if (!ApplyLadungPreset(preset, Centred(), texts))
        return;
    SetFieldTexts(texts);
    m_work.m_nArt = preset;
    if (QLineEdit* first = Field(kFieldIds[0])) {
        first->setFocus();
        first->selectAll();
    }
}

void CDlgLadung::SizeFieldLeft()
{
    if (!Centred())
        return;
    LadungFieldTexts texts = FieldTexts();
    CentreLadungGravity(texts);
    SetFieldTexts(texts);
}

void CDlgLadung::GravityFieldLeft(int fieldId)
{
    for (int i = kFieldCogX; i <= kFieldCogZ; ++i) {
        if (kFieldIds[i] != fieldId)
            continue;
        LadungFieldTexts texts = FieldTexts();
        CutLadungGravity(texts, i);
        SetFieldTexts(texts);
    }
}

void CDlgLadung::SetPicture(const QImage& picture)
{
    m_work.m_pBild = std::make_unique<QImageItemPicture>(picture);
    m_pictureChanged = true;
    InvalidateCtrl(kFrameId);
    UpdateControls();
}

bool CDlgLadung::LoadPictureFile(const QString& file)
{
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        // A picture that cannot be read changes nothing and says so.
        Tell(Text(1347));
        return false;
    }
    SetPicture(image);
    m_work.m_strBildQuelle = file.toStdString();
    return true;
}

void CDlgLadung::RemovePicture()
{
    m_work.m_pBild.reset();
    m_work.m_strBildDatei.clear();
    m_work.m_strBildQuelle.clear();
    m_pictureChanged = true;
    InvalidateCtrl(kFrameId);
    UpdateControls();
}

void CDlgLadung::Tell(const QString& text)
{
    if (m_notice)
        m_notice(Text(273), text);
    else
        QMessageBox::warning(this, Text(273), text);
}

bool CDlgLadung::Save()
{
    const QString name = Field(kNameId) ? Field(kNameId)->text().trimmed() : QString();
    const LadungRefusal refusal = ValidateLadung(FieldTexts(), name.toStdString(), m_work);
    if (refusal.field >= 0) {
        Tell(QString::fromStdString(refusal.text));
        QLineEdit* field = Field(refusal.field == kFieldName ? kNameId : kFieldIds[refusal.field]);
        if (field) {
            field->setFocus();
            field->selectAll();
        }
        return false;
    }
    const PictureWriter writer = [](const ItemPicture& picture, const std::filesystem::path& path) {
        return QImageItemPicture::Of(&picture).save(QString::fromStdString(path.string()), "PNG");
    };
    const LadungSaveResult result = SaveLadung(m_mode, m_work, m_mode == 0 ? m_work.m_strPfad : std::string(),
                                               m_pictureChanged, m_folders, writer);
    if (!result.saved) {
        QString text = result.textId ? Text(static_cast<std::uint32_t>(result.textId)) : QString();
        text.replace(QLatin1String("%s"), name);
        Tell(text.isEmpty() ? QString::fromStdString(result.path.string()) : text);
        return false;
    }
    m_caller = m_work;
    return true;
}

bool CDlgLadung::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kApplyId:
        if (auto* presets = findChild<QComboBox*>(ControlId::ObjectName(kPresetId));
            presets && presets->currentIndex() >= 0)
            ApplyPreset(presets->currentData().toInt());
        return true;
    case kCentreId:
    case kCentredId: {
        LadungFieldTexts texts = FieldTexts();
        CentreLadungGravity(texts);
        if (id == kCentreId || Centred())
            SetFieldTexts(texts);
        UpdateControls();
        return true;
    }
    case kRemoveId:
        RemovePicture();
        return true;
    case kLoadId: {
        const QString file =
            QFileDialog::getOpenFileName(this, QString(), QString(), QString::fromUtf8(kPictureFilter));
        if (!file.isEmpty())
            LoadPictureFile(file);
        return true;
    }
    case kIdSave:
        if (Save())
            done(kIdSave);
        return true;
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}

bool CDlgLadung::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id != kFrameId)
        return CDlgBase::OnPaintCtrl(ctrl, id, painter);
    const QRect area = ctrl->rect();
    painter.fillRect(area, Qt::white);
    const QImage picture = QImageItemPicture::Of(m_work.m_pBild.get());
    if (!picture.isNull()) {
        const QImage fitted =
            picture.scaled(area.size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(area.center().x() - fitted.width() / 2, area.center().y() - fitted.height() / 2,
                          fitted);
    } else if (!m_standardBild.isNull()) {
        // A unit without a picture of its own shows the standard picture at its own size.
        painter.drawImage(area.center().x() - m_standardBild.width() / 2,
                          area.center().y() - m_standardBild.height() / 2, m_standardBild);
    }
    painter.setPen(QColor(180, 180, 180));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    return true;
}
