// The HTML message box: body, title, picture column, check box, buttons and attached functions.
#include "ui/CDlgMsgboxHtml.h"

#include "draw2d/core/BitmapExImage.h"
#include "model/text/ResourceText.h"
#include "model/text/TextProvider.h"
#include "ui/CQorBrowser.h"
#include "ui/CRibBtn.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/ControlId.h"
#include "ui/IStripFactory.h"
#include "ui/NotifyEvent.h"
#include "ui/QtMessageBoxService.h"
#include "ui/ResourcePictures.h"
#include "ui/RibBtnStrip.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kArgMessage = 0;
constexpr int kArgTitle = 1;
constexpr quint32 kBackground = 0xEDD8C8; // as 0x00BBGGRR

QString ResString(int id)
{
    return id < 0 ? QString() : QString::fromStdString(LoadResString(quint32(id)));
}

QImage LoadPicture(int id, int format)
{
    return id < 0 ? QImage() : LoadCxImageFromResource(quint32(id), format);
}

// The message body: a text of the string table (type 6) or an item of the module of that type.
QString LoadBody(int id, int type)
{
    std::string bytes;
    if (id < 0 || !LoadResourceText(bytes, quint32(id), type))
        return QString();
    return QString::fromStdString(bytes);
}

} // namespace

CDlgMsgboxHtml::CDlgMsgboxHtml(QWidget* parent) : CDlgBase(kTemplateId, parent)
{
    m_args.fill(kUnused);
}

CDlgMsgboxHtml::~CDlgMsgboxHtml() = default;

CRibBtnContainer* CDlgMsgboxHtml::ButtonStrip() const
{
    auto* strip = dynamic_cast<RibBtnStrip*>(m_strip.get());
    return strip ? strip->Strip() : nullptr;
}

int CDlgMsgboxHtml::DoModalIds(int msgId, int titleId, int btn1, int cap1, int btn2, int cap2, int btn3,
                               int cap3, int btn4, int cap4)
{
    m_args = {msgId, titleId, btn1, cap1, btn2, cap2, btn3, cap3, btn4, cap4};
    m_texts.fill(std::nullopt);
    m_textsMode = false;
    return exec();
}

int CDlgMsgboxHtml::DoModalTexts(const QString& msg, const QString& title, int btn1, const QString& cap1,
                                 int btn2, const QString& cap2, int btn3, const QString& cap3)
{
    // The fourth pair keeps the button an earlier DoModalIds gave it; in texts mode it shows the texts
    // of its own string, as a caption id is never read as a text here.
    m_args[2] = btn1;
    m_args[4] = btn2;
    m_args[6] = btn3;
    m_texts.fill(std::nullopt);
    auto text = [](const QString& s) { return s.isNull() ? std::nullopt : std::optional<QString>(s); };
    m_texts[kArgMessage] = text(msg);
    m_texts[kArgTitle] = text(title);
    m_texts[3] = text(cap1);
    m_texts[5] = text(cap2);
    m_texts[7] = text(cap3);
    m_textsMode = true;
    return exec();
}

void CDlgMsgboxHtml::SetIconImage(int id, int kind)
{
    if (kind != kIconPng && kind != kIconBitmap)
        return;
    m_icon = LoadPicture(id, kind == kIconPng ? PICTURE_FORMAT_PNG : PICTURE_FORMAT_BITMAP);
    m_iconKind = m_icon.isNull() ? 0 : kind;
}

void CDlgMsgboxHtml::SetConfirmButton(int buttonId, const QString& question, const QString& caption)
{
    m_confirmButton = buttonId;
    m_confirmQuestion = question;
    m_confirmCaption = caption.isNull() ? ResString(425) : caption;
}

void CDlgMsgboxHtml::AddCmdHandler(int id, CmdHandler handler, bool hide, quintptr param)
{
    m_handlers.insert(id, Handler{std::move(handler), hide, param});
}

namespace {

// The button Return presses: the one set, else the first button of a question (two or more buttons, OK
// not among them), never an OK its caller does not know; kUnused for none.
int ReturnButton(int defaultButton, const std::array<int, 4>& ids)
{
    if (defaultButton != CDlgMsgboxHtml::kUnused)
        return defaultButton;
    const auto count =
        std::count_if(ids.begin(), ids.end(), [](int id) { return id != CDlgMsgboxHtml::kUnused; });
    if (count < 2 || std::find(ids.begin(), ids.end(), int(QDialog::Accepted)) != ids.end())
        return CDlgMsgboxHtml::kUnused;
    return ids[0];
}

} // namespace

std::array<int, 4> CDlgMsgboxHtml::ButtonIds() const
{
    return {m_args[2], m_args[4], m_args[6], m_args[8]};
}

bool CDlgMsgboxHtml::OnInitDialog()
{
    // The browser in place of its placeholder, without a context menu.
    m_browser = new CQorBrowser(this);
    if (!m_browser->ReplaceDlgItem(kBrowserId, this))
        m_browser->hide();
    m_browser->SetNoContextMenu(true);

    QString body;
    if (m_textsMode) {
        body = m_texts[kArgMessage].value_or(QString());
    } else {
        body = LoadBody(m_args[kArgMessage], m_bodyType);
    }
    m_html = m_headerFooter ? ResString(436) + body + ResString(437) : body;
    m_browser->LoadHtmlString(m_html);

    setWindowTitle(m_textsMode ? m_texts[kArgTitle].value_or(QString()) : ResString(m_args[kArgTitle]));

    if (auto* check = findChild<QCheckBox*>(ControlId::ObjectName(kCheckBoxId))) {
        check->setVisible(m_showCheckBox);
        if (m_showCheckBox)
            check->setFocusPolicy(Qt::StrongFocus);
    }

    // The strip takes the place of its placeholder.
    int stripMargin = 0; // from the strip's place to the box's right edge
    if (QWidget* placeholder = findChild<QWidget*>(ControlId::ObjectName(kStripId))) {
        const QRect place = placeholder->geometry();
        stripMargin = std::max(0, width() - (place.x() + place.width()));
        delete placeholder;
        m_strip = StripFactory()->Create(true, true, false, this, QString());
        if (m_strip) {
            m_strip->SetWindowPosAndShape(place.x(), place.y(), place.width());
            if (CRibBtnContainer* strip = ButtonStrip()) {
                strip->SetBackgroundBitmapColor(1, kBackground);
                strip->SetBackgroundBitmapColor(2, kBackground);
            }
        }
    }
    if (CRibBtnContainer* strip = ButtonStrip()) {
        bool first = true;
        for (int pair = 0; pair < 4; ++pair) {
            const int id = m_args[2 + 2 * pair];
            if (id == kUnused)
                continue;
            if (!first)
                strip->AddSeparator();
            first = false;
            strip->AddButton(quint32(id), this);
            OnButtonAdded(id);
            if (m_textsMode) {
                if (const std::optional<QString>& caption = m_texts[3 + 2 * pair])
                    strip->SetButtonText(quint32(id), *caption);
            } else if (const int captionId = m_args[3 + 2 * pair]; captionId != kUnused) {
                strip->SetButtonResource(quint32(id), quint32(captionId));
            }
            if (pair == 0) {
                int anchor = kCheckBoxId;
                AdjustRibBtnNavNext(id, &anchor);
                strip->SetButtonRadioGroup(quint32(id), anchor);
            }
        }
    }

    // A strip wider than its place would run past the box's edge and cut its last captions: the box
    // grows by as much, the body and the check box with it, and keeps its right margin.
    if (CRibBtnContainer* strip = ButtonStrip()) {
        const int over = strip->x() + strip->width() + stripMargin - width();
        if (over > 0) {
            resize(width() + over, height());
            for (QWidget* widened :
                 {static_cast<QWidget*>(m_browser), findChild<QWidget*>(ControlId::ObjectName(kCheckBoxId))})
                if (widened)
                    widened->resize(widened->width() + over, widened->height());
        }
    }

    m_sideBitmap = LoadPicture(m_sideBitmapId, PICTURE_FORMAT_BITMAP);
    SubclassCtrl(kPictureId);

    // The box's strip is made here, not from a placeholder: it joins the dialog's keyboard order
    // (the body, the buttons in their order, the check box) through the base.
    AddStripToRing(m_strip.get());
    CDlgBase::OnInitDialog();

    if (m_focusId != 0) {
        if (CRibBtnContainer* strip = ButtonStrip(); strip && strip->HasButton(quint32(m_focusId))) {
            strip->SetButtonFocus(quint32(m_focusId));
            return false;
        }
        if (QWidget* control = findChild<QWidget*>(ControlId::ObjectName(m_focusId))) {
            control->setFocus();
            return false;
        }
    }
    const QList<QWidget*> navigation = NavigationList();
    if (!navigation.isEmpty()) {
        navigation.first()->setFocus();
        return false;
    }
    return true;
}

void CDlgMsgboxHtml::OnButtonAdded(int id)
{
    CRibBtnContainer* strip = ButtonStrip();
    strip->SetButtonSize(quint32(id), 31, 31);
    strip->SetButtonToolTipMode(quint32(id), 0);
    if (id == ReturnButton(m_defaultButton, ButtonIds()))
        strip->SetDefaultButton(quint32(id), this);
    // Keyboard order: button 1 after the check box (then after the HTML control), each further
    // button after the one before it.
    const std::array<int, 4> ids = ButtonIds();
    for (int pair = 1; pair < 4; ++pair)
        if (ids[pair] == id && ids[pair - 1] != kUnused)
            strip->SetButtonRadioGroup(quint32(id), ids[pair - 1]);
}

void CDlgMsgboxHtml::AdjustRibBtnNavNext(int buttonId, int* anchorId)
{
    if (buttonId == m_args[2])
        *anchorId = kBrowserId;
}

void CDlgMsgboxHtml::OnNotify(NotifyEvent& event)
{
    // The box's own strip reports its buttons itself; OnInitDialog has handled them.
    if (event.Code() == NotifyEvent::kButtonAdded)
        return;
    CDlgBase::OnNotify(event);
}

void CDlgMsgboxHtml::SetVisibleKeepingModal(bool visible)
{
    // QDialog::setVisible(false) would end the modal loop; the box only steps aside.
    QWidget::setVisible(visible);
}

bool CDlgMsgboxHtml::OnCommand(int id, int notifyCode, QObject* control)
{
    if (auto it = m_handlers.constFind(id); it != m_handlers.constEnd()) {
        const Handler handler = it.value();
        const bool hidden = handler.hide && isVisible();
        if (hidden)
            SetVisibleKeepingModal(false);
        const int result = handler.function ? handler.function(id, handler.param) : 0;
        if (result != 0) {
            done(result);
        } else if (hidden) {
            SetVisibleKeepingModal(true);
        }
        return true;
    }
    const std::array<int, 4> ids = ButtonIds();
    if (notifyCode == 0 && id != kUnused && std::find(ids.begin(), ids.end(), id) != ids.end()) {
        if (id == m_confirmButton && !AskConfirm(m_confirmQuestion, m_confirmCaption))
            return false;
        done(id);
        return true;
    }
    if (id == kCheckBoxId) {
        if (auto* check = qobject_cast<QCheckBox*>(control))
            m_checkState = check->isChecked();
        else if (auto* box = findChild<QCheckBox*>(ControlId::ObjectName(kCheckBoxId)))
            m_checkState = box->isChecked();
        return true;
    }
    return CDlgBase::OnCommand(id, notifyCode, control);
}

bool CDlgMsgboxHtml::OnCommandHook(int)
{
    return !m_commandsEnabled;
}

void CDlgMsgboxHtml::OnOK()
{
    if (const int id = ReturnButton(m_defaultButton, ButtonIds()); id != kUnused) {
        QCoreApplication::postEvent(this, new CommandEvent(quint32(id)));
        return;
    }
    done(QDialog::Accepted);
}

bool CDlgMsgboxHtml::AskConfirm(const QString& question, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::Yes | QMessageBox::No, this);
    QtMessageBoxService::UseModuleYesNo(box);
    return box.exec() == QMessageBox::Yes;
}

QImage CDlgMsgboxHtml::ComposePictureColumn(QSize size, const QImage& side, const QImage& icon)
{
    QImage column(size, QImage::Format_RGB32);
    column.fill(Qt::white);
    QPainter painter(&column);
    QImage picture = side;
    if (!icon.isNull() && !picture.isNull()) {
        // Under an icon the side picture is smoothed and tinted towards light grey.
        CBitmapEx bm;
        LoadBitmapExFromImage(bm, picture);
        bm.Blur();
        bm.Colorize(0xE6E6E6);
        picture = BitmapExToImage(bm);
    }
    if (!picture.isNull())
        painter.drawImage((size.width() - picture.width()) / 2, (size.height() - picture.height()) / 2,
                          picture);
    if (!icon.isNull())
        painter.drawImage((size.width() - icon.width()) / 2, (size.height() - icon.height()) / 2, icon);
    return column;
}

bool CDlgMsgboxHtml::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id != kPictureId)
        return false;
    painter.drawImage(0, 0, ComposePictureColumn(ctrl->size(), m_sideBitmap, m_icon));
    return true;
}
