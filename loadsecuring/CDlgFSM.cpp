// The FSM item editor: fields, placed mode, picture frame, checks and the name look-up.
#include "loadsecuring/CDlgFSM.h"

#include "loadsecuring/DialogPlacement.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/text/TextProvider.h"
#include "ui/CEditLast.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IButtonStrip.h"
#include "ui/IMessageBoxService.h"
#include "ui/ProgramRun.h"
#include "ui/ResourcePictures.h"
#include "ui/RibBtnStrip.h"

#include <QComboBox>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

namespace {

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

constexpr int kNameId = 1014;
constexpr int kLaengeId = 1041;
constexpr int kBreiteId = 1015;
constexpr int kHoeheId = 1043;
constexpr int kMasseId = 1018;
constexpr int kTextId = 1050;
constexpr int kKraftId = 1131;
constexpr int kKatZellenId = 1136;
constexpr int kKatSeiteId = 1135;
constexpr int kSeiteId = 1305;
constexpr int kKontaktId = 1306;
constexpr int kKontakt2Id = 1307;
constexpr int kZellenId = 1150;
constexpr int kBildId = 1346;
constexpr int kLadenId = 1343;
constexpr int kEntfernenId = 1344;
constexpr int kUebernehmenId = 1323;
constexpr int kInfoId = 722;

// The picture formats the load button offers, a fixed text of the editor (as in the load-unit editor).
constexpr const char* kPictureFilter =
    "Bitmapdateien (*.bmp);;JPEG (*.jpeg *.jpg *.jpe);;PNG (*.png);;GIF (*.gif);;ICO (*.ico);;"
    "Alle Bilddateien (*.bmp *.jpeg *.jpg *.jpe *.png *.gif *.ico);;Alle Dateien (*)";

// The texts of the side codes 0 to 4 in the order of the list.
constexpr int kSeitenTexte[] = {374, 427, 376, 426, 377};

CRibBtnContainer* Concrete(IButtonStrip* strip)
{
    auto* face = dynamic_cast<RibBtnStrip*>(strip);
    return face ? face->Strip() : nullptr;
}

} // namespace

CDlgFSM::CDlgFSM(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

ProgramRun& CDlgFSM::GetProgramRun()
{
    if (!m_pRun) {
        m_pEigenerLauf = std::make_unique<ProgramRun>();
        m_pRun = m_pEigenerLauf.get();
    }
    return *m_pRun;
}

CEditLast* CDlgFSM::Edit(int id) const
{
    return findChild<CEditLast*>(ControlId::ObjectName(id));
}

void CDlgFSM::SetBild(const QImage& bild, const QString& pfad)
{
    m_bild = bild;
    m_strBildPfad = pfad;
    InvalidateCtrl(kBildId);
}

QImage CDlgFSM::FitPicture(const QImage& picture, QSize box)
{
    if (picture.isNull() || box.isEmpty())
        return {};
    return picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

bool CDlgFSM::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    const FsmEditorWerte& w = m_werte;
    if (w.nModus != 0)
        if (IButtonStrip* strip = FindRibBtnContainer(kInfoId))
            strip->Window()->hide();
    setWindowTitle(Text(w.bPlatziert ? 683 : w.nModus == 1 ? 680 : w.nModus == 2 ? 682 : 681));

    const QString fragezeichen = QStringLiteral("?");
    if (CEditLast* name = Edit(kNameId)) {
        name->SetFormat(4, std::nullopt, fragezeichen, fragezeichen);
        name->SetRefusedChars(QStringLiteral("\\/:*?\"<>|."));
    }
    for (int id : {kLaengeId, kBreiteId, kHoeheId, kMasseId}) {
        CEditLast* field = Edit(id);
        if (!field)
            continue;
        field->SetFormat(3, QStringLiteral("%.0f"), fragezeichen, fragezeichen);
        field->SetAllowedChars(CEditLast::kDigits);
        // Length and height count 0 as empty; a width of 0 is a width, only an empty width field is none.
        if (id == kLaengeId || id == kHoeheId)
            field->SetEmptyValueDouble(0.0);
        if (id == kMasseId)
            field->SetRestoreValueDouble(0.0);
    }
    const QString na = Text(559);
    if (CEditLast* kraft = Edit(kKraftId)) {
        kraft->SetFormat(1, QStringLiteral("%i daN"), na);
        kraft->SetEmptyValueInt(0);
    }
    if (CEditLast* katZellen = Edit(kKatZellenId)) {
        katZellen->SetFormat(1, Text(527), na);
        katZellen->SetEmptyValueInt(0);
    }
    if (CEditLast* katSeite = Edit(kKatSeiteId))
        katSeite->SetFormat(4, Text(526), na);
    if (CEditLast* zellen = Edit(kZellenId)) {
        zellen->SetFormat(1, QStringLiteral("%i"), na);
        zellen->SetEmptyValueInt(0);
    }
    // What the plan found is shown, never typed.
    for (int id : {kKraftId, kKatZellenId, kKatSeiteId})
        if (CEditLast* field = Edit(id))
            field->setReadOnly(true);
    auto* seiten = findChild<QComboBox*>(ControlId::ObjectName(kSeiteId));
    if (seiten)
        for (int textId : kSeitenTexte)
            seiten->addItem(Text(static_cast<std::uint32_t>(textId)));

    if (w.nModus == 0 || w.nModus == 2 || w.bPlatziert) {
        if (CEditLast* name = Edit(kNameId))
            name->SetText(QString::fromStdString(w.strName));
        const std::pair<int, double> werte[] = {
            {kLaengeId, w.dLaenge}, {kBreiteId, w.dBreite}, {kHoeheId, w.dHoehe}, {kMasseId, w.dMasse}};
        for (const auto& [id, wert] : werte)
            if (CEditLast* field = Edit(id))
                field->SetDouble(wert * 1000.0);
        if (auto* text = findChild<QLineEdit*>(ControlId::ObjectName(kTextId)))
            text->setText(QString::fromStdString(w.strText));
    }
    if (seiten)
        seiten->setCurrentIndex(std::clamp(w.nSeite, 0, 4));
    if (CEditLast* katSeite = Edit(kKatSeiteId))
        katSeite->SetText(QString::fromStdString(FormatFsmEnumText(w.nKatSeite)));
    if (w.bPlatziert) {
        if (CEditLast* zellen = Edit(kZellenId))
            zellen->SetInt(FsmStartZellen(w));
        if (CEditLast* katZellen = Edit(kKatZellenId))
            katZellen->SetInt(w.nKatZellen);
        if (CEditLast* kraft = Edit(kKraftId))
            kraft->SetInt(w.nKraft);
    }
    int kontakt = w.nKontakt - 1;
    DDXRadioGroup(false, kKontaktId, &kontakt);

    m_standardBild = LoadCxImageFromResource(kStandardBildId, PICTURE_FORMAT_PNG);
    if (QWidget* frame = findChild<QWidget*>(ControlId::ObjectName(kBildId)))
        frame->resize(kBildBreite, kBildHoehe);
    SubclassCtrl(kBildId);
    if (w.nModus == 0)
        m_werte.strStartName = w.strName;

    if (!m_rcAnker.isEmpty())
        move(PlaceBesideAnchor(size(), m_rcAnker, AvailableScreenAt(m_rcAnker.center())));
    KickIdle();
    return true;
}

void CDlgFSM::OnRibBtnAdded(IButtonStrip* strip, int buttonId)
{
    CDlgBase::OnRibBtnAdded(strip, buttonId);
    if (buttonId != kIdSave)
        return;
    if (CRibBtnContainer* concrete = Concrete(strip)) {
        concrete->SetDefaultButton(kIdSave, this);
        concrete->SetButtonText(kIdSave, Text(75));
    }
}

void CDlgFSM::OnUpdateCommand(CommandUpdateEvent& query)
{
    const FsmEditorWerte& w = m_werte;
    const bool frei = w.bPlatziert && !w.bGesperrt;
    switch (query.Id()) {
    case kNameId:
    case kLaengeId:
    case kBreiteId:
    case kHoeheId:
    case kLadenId:
    case kEntfernenId:
        query.Enable(!w.bPlatziert);
        break;
    case kInfoId:
        query.Enable(w.bPlatziert);
        break;
    case kTextId:
        query.Enable(w.bPlatziert || !w.bGesperrt);
        break;
    case kZellenId:
        query.Enable(frei);
        break;
    case kSeiteId:
        query.Enable(frei && !(w.nModus == 0 && w.nTyp == 5));
        break;
    case kKontaktId:
        query.Enable(frei && w.nKontakt == 1);
        break;
    case kKontakt2Id:
        query.Enable(frei && w.nKontakt == 2);
        break;
    case kUebernehmenId: {
        CEditLast* zellen = Edit(kZellenId);
        const int gewaehlt = zellen ? zellen->GetIntOr(0) : w.nZellen;
        query.Enable(w.nKontakt != 1 && gewaehlt != w.nKatZellen);
        break;
    }
    default:
        CDlgBase::OnUpdateCommand(query);
        break;
    }
}

bool CDlgFSM::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id != kBildId)
        return CDlgBase::OnPaintCtrl(ctrl, id, painter);
    const QRect area = ctrl->rect();
    painter.fillRect(area, Qt::white);
    const QImage& bild = m_bild.isNull() ? m_standardBild : m_bild;
    if (!bild.isNull())
        painter.drawImage(area.center().x() - bild.width() / 2 + 1, area.center().y() - bild.height() / 2 + 1,
                          bild);
    return true;
}

bool CDlgFSM::LoadPictureFile(const QString& file)
{
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage neu = reader.read();
    if (neu.isNull()) {
        MessageBoxes().Show(this, Text(273), Text(1347), IMessageBoxService::Icon::Warning,
                            IMessageBoxService::Buttons::Ok);
        return false;
    }
    m_bild = FitPicture(neu, QSize(kBildBreite, kBildHoehe));
    m_strBildPfad = file;
    m_bBildGeaendert = true;
    InvalidateCtrl(kBildId);
    return true;
}

void CDlgFSM::RemovePicture()
{
    if (m_bild.isNull())
        return;
    m_bild = QImage();
    m_strBildPfad.clear();
    m_bBildGeaendert = true;
    InvalidateCtrl(kBildId);
}

void CDlgFSM::TakeCatalogueValues()
{
    if (CEditLast* zellen = Edit(kZellenId))
        zellen->SetInt(m_werte.nKatZellen);
    if (auto* seiten = findChild<QComboBox*>(ControlId::ObjectName(kSeiteId)))
        seiten->setCurrentIndex(std::clamp(m_werte.nKatSeite, 0, 4));
    KickIdle();
}

FsmEingabe CDlgFSM::ReadFields()
{
    FsmEingabe e;
    if (CEditLast* name = Edit(kNameId))
        e.strName = name->GetTextOr(QString()).toStdString();
    auto zahl = [this](int id) -> std::optional<double> {
        CEditLast* field = Edit(id);
        if (!field)
            return std::nullopt;
        bool leer = false;
        const double wert = field->GetDoubleOrEx(0.0, &leer);
        return leer ? std::nullopt : std::optional<double>(wert);
    };
    e.dLaengeMm = zahl(kLaengeId);
    e.dBreiteMm = zahl(kBreiteId);
    e.dHoeheMm = zahl(kHoeheId);
    e.dMasseKg = zahl(kMasseId);
    if (auto* text = findChild<QLineEdit*>(ControlId::ObjectName(kTextId)))
        e.strText = text->text().toStdString();
    if (auto* seiten = findChild<QComboBox*>(ControlId::ObjectName(kSeiteId)))
        e.nSeiteIndex = seiten->currentIndex();
    if (CEditLast* zellen = Edit(kZellenId))
        e.nZellen = zellen->GetIntOr(0);
    int kontakt = -1;
    DDXRadioGroup(true, kKontaktId, &kontakt);
    e.nKontaktIndex = kontakt;
    return e;
}

QWidget* CDlgFSM::FieldOf(FsmFeld feld) const
{
    static constexpr int kIds[] = {kNameId,  kLaengeId, kBreiteId, kHoeheId,
                                   kMasseId, kTextId,   kSeiteId,  kZellenId};
    if (feld < 0 || feld >= static_cast<int>(std::size(kIds)))
        return nullptr;
    return findChild<QWidget*>(ControlId::ObjectName(kIds[feld]));
}

void CDlgFSM::Refuse(FsmFeld feld, int textId)
{
    IMessageBoxService::HtmlBox box;
    box.text = Text(455).replace(QLatin1String("%s"), Text(static_cast<std::uint32_t>(textId)));
    box.caption = Text(273);
    box.buttons = {{kIdOk, -1}};
    MessageBoxes().ShowHtml(this, box, nullptr);
    if (QWidget* field = FieldOf(feld)) {
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
    }
}

bool CDlgFSM::Save()
{
    const FsmAblehnung ablehnung = ValidateFsm(ReadFields(), m_werte);
    if (ablehnung.feld != kFsmFeldKeines) {
        Refuse(ablehnung.feld, ablehnung.textId);
        return false;
    }
    FsmEditorWerte& w = m_werte;
    w.bNameGeaendert = w.nModus == 0 && !w.bPlatziert && w.strName != w.strStartName;
    m_ergebnisPfad.clear();
    if (FsmNameZuPruefen(w) && m_fnItemPfad) {
        const std::filesystem::path pfad = m_fnItemPfad(w.strName);
        std::error_code ec;
        if (std::filesystem::exists(pfad, ec)) {
            MessageBoxes().Show(this, Text(273),
                                Text(679).replace(QLatin1String("%s"), QString::fromStdString(w.strName)),
                                IMessageBoxService::Icon::Error, IMessageBoxService::Buttons::Ok);
            if (QWidget* name = FieldOf(kFsmFeldName)) {
                name->setFocus(Qt::OtherFocusReason);
                if (auto* edit = qobject_cast<QLineEdit*>(name))
                    edit->selectAll();
            }
            return false;
        }
        m_ergebnisPfad = pfad;
    }
    return true;
}

void CDlgFSM::ShowInfo()
{
    IMessageBoxService::HtmlBox box;
    box.text =
        Text(526).replace(QLatin1String("%s"), QString::fromStdString(FormatFsmEnumText(m_werte.nKatSeite)));
    box.caption = Text(273);
    box.buttons = {{kIdOk, -1}};
    MessageBoxes().ShowHtml(this, box, nullptr);
}

void CDlgFSM::reject()
{
    bool& bFrageAus = GetProgramRun().GetAntworten().bFsmAbbruchFrageAus;
    if (m_werte.bPlatziert && !bFrageAus) {
        IMessageBoxService::HtmlBox box;
        box.textId = 696;
        box.captionId = 273;
        box.buttons = {{kIdOk, 697}, {kIdCancel, 453}};
        box.checkBox = true;
        bool aus = false;
        const int antwort = MessageBoxes().ShowHtml(this, box, &aus);
        bFrageAus = aus;
        if (antwort == kIdOk)
            return;
    }
    CDlgBase::reject();
}

bool CDlgFSM::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kLadenId: {
        const QString datei =
            QFileDialog::getOpenFileName(this, QString(), QString(), QString::fromUtf8(kPictureFilter));
        if (!datei.isEmpty())
            LoadPictureFile(datei);
        return true;
    }
    case kEntfernenId:
        RemovePicture();
        return true;
    case kUebernehmenId:
        TakeCatalogueValues();
        return true;
    case kInfoId:
        if (notifyCode == 0)
            ShowInfo();
        return true;
    case kIdSave:
        if (notifyCode == 0 && Save())
            done(kIdSave);
        return true;
    default:
        return CDlgBase::OnCommand(id, notifyCode, control);
    }
}
