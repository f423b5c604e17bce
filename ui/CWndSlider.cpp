// The value slider: edit keys, stepping, limits, reporting, the close filter and the grip band.
#include "ui/CWndSlider.h"

#include "platform/LanguageNumbers.h"
#include "ui/ControlId.h"
#include "ui/ISliderOwner.h"
#include "ui/NumberRefusal.h"
#include "ui/ResourcePictures.h"
#include "ui/SliderEvent.h"
#include "ui/SliderHint.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QToolTip>

#include <cmath>

namespace {

constexpr int kGripBitmapId = 186;
constexpr int kGripCursorId = 193;
constexpr int kDragCursorId = 194;
constexpr int kEditHeight = 16;

// Live sliders in the order they were created; outside presses go to the last one.
QList<QPointer<CWndSlider>>& LiveSliders()
{
    static QList<QPointer<CWndSlider>> sliders;
    return sliders;
}

bool IsArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

QCursor ModuleCursor(int id, Qt::CursorShape fallback)
{
    const QImage picture = LoadCxImageFromResource(quint32(id), PICTURE_FORMAT_BITMAP);
    if (picture.isNull())
        return QCursor(fallback);
    return QCursor(QPixmap::fromImage(picture), picture.width() / 2, picture.height() / 2);
}

bool IsTonnesKind(int kind)
{
    return kind == 1 || kind == 3 || kind == 4 || kind == 10 || (kind >= 16 && kind <= 20);
}

bool IsMetresKind(int kind)
{
    return (kind >= 5 && kind <= 9) || (kind >= 11 && kind <= 15);
}

// The hundredths of a value, truncated toward zero; a value that lies within rounding noise of a
// whole hundredth counts as that hundredth (0.29 x 100 is 28.999999999999996 in binary).
long long Hundredths(double v)
{
    const double scaled = v * 100.0;
    const double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) <= 1e-9 * std::max(1.0, std::fabs(scaled)))
        return static_cast<long long>(nearest);
    return static_cast<long long>(std::trunc(scaled));
}

} // namespace

// Closes the newest slider on a mouse press or a key press (arrows excepted) in any widget that is
// neither a slider nor a child of one, and when the slider's window loses activation (presses on
// the window's frame never reach the program). Only the first delivery of an input event counts:
// an event a child passes on to its parent is not a second press.
class SliderCloseFilter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
             type != QEvent::NonClientAreaMouseButtonPress && type != QEvent::KeyPress &&
             type != QEvent::WindowDeactivate) ||
            !watched->isWidgetType())
            return false;
        CWndSlider* current = CWndSlider::Current();
        if (!current)
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        bool close = false;
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress: {
            const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
            close = event->spontaneous() && (button == Qt::LeftButton || button == Qt::RightButton);
            break;
        }
        case QEvent::KeyPress:
            close = event->spontaneous() && !IsArrow(static_cast<QKeyEvent*>(event)->key());
            break;
        case QEvent::WindowDeactivate:
            close = widget == current->window();
            break;
        default:
            break;
        }
        if (!close || qobject_cast<CWndSlider*>(widget) || qobject_cast<CWndSlider*>(widget->parentWidget()))
            return false;
        SliderEvent request(SliderEvent::kCloseRequestType, current, 0.0, true);
        QCoreApplication::sendEvent(current, &request);
        return false;
    }
};

namespace {

QPointer<SliderCloseFilter>& CloseFilter()
{
    static QPointer<SliderCloseFilter> filter;
    return filter;
}

} // namespace

CWndSlider::CWndSlider() : m_edit(new QLineEdit(this))
{
    hide();
    setWindowTitle(QStringLiteral("SliderWnd"));
    ControlId::Set(this, kWindowId);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setContentsMargins(1, 1, 1, 1);
    m_gripBitmap = LoadCxImageFromResource(kGripBitmapId, PICTURE_FORMAT_BITMAP);

    ControlId::Set(m_edit, kEditId);
    m_edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edit->setFrame(false);
    m_edit->setTextMargins(0, 0, 1, 0);
    m_edit->setContextMenuPolicy(Qt::NoContextMenu);
    m_edit->setAcceptDrops(false);
    m_edit->installEventFilter(this);
    // The note of a refused entry goes as soon as the text is changed.
    connect(m_edit, &QLineEdit::textEdited, this, [this] { HideRefusal(); });
}

CWndSlider::~CWndSlider()
{
    QList<QPointer<CWndSlider>>& live = LiveSliders();
    const bool registered = live.contains(this);
    live.removeIf([this](const QPointer<CWndSlider>& s) { return !s || s == this; });
    if (registered && live.isEmpty() && CloseFilter())
        qApp->removeEventFilter(CloseFilter());
    m_edit->removeEventFilter(this);
    // Only an owner that is still whole hears of it: a view that is being destroyed takes its
    // sliders with it and needs no tidying.
    if (m_parent && ISliderOwner::IsAlive(m_owner))
        m_owner->SliderGone();
}

void CWndSlider::SetLimits(double minimum, double maximum)
{
    m_dMin = minimum;
    m_dMax = maximum;
}

bool CWndSlider::Create(const QPoint& anchor, QWidget* parent, bool compact)
{
    if (!parent)
        return false;
    m_parent = parent;
    m_owner = dynamic_cast<ISliderOwner*>(parent);
    m_compact = compact;
    setParent(parent);
    hide();
    if (compact)
        setGeometry(anchor.x() - 23, anchor.y() - 16, 46, 16);
    else
        setGeometry(anchor.x() - 10, anchor.y() - 110, 40, 110);
    m_dLastReported = m_dValue;

    if (!CloseFilter())
        CloseFilter() = new SliderCloseFilter(qApp);
    QList<QPointer<CWndSlider>>& live = LiveSliders();
    live.removeIf([](const QPointer<CWndSlider>& s) { return !s; });
    if (live.isEmpty())
        qApp->installEventFilter(CloseFilter());
    if (!live.contains(this))
        live.append(this);

    RefreshValueText();
    FocusEdit();
    return true;
}

CWndSlider* CWndSlider::Current()
{
    const QList<QPointer<CWndSlider>>& live = LiveSliders();
    for (auto it = live.crbegin(); it != live.crend(); ++it)
        if (*it)
            return it->data();
    return nullptr;
}

int CWndSlider::OpenCount()
{
    int count = 0;
    for (const QPointer<CWndSlider>& s : LiveSliders())
        if (s)
            ++count;
    return count;
}

void CWndSlider::SetValue(double value)
{
    m_dValue = value;
    RefreshValueText();
}

QColor CWndSlider::SetEditBkColor(const QColor& colour)
{
    const QColor before = m_editColour;
    m_editColour = colour;
    QPalette pal = m_edit->palette();
    pal.setColor(QPalette::Base, colour);
    m_edit->setPalette(pal);
    m_edit->repaint();
    return before;
}

void CWndSlider::FocusEdit()
{
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

void CWndSlider::ShowValue(double value)
{
    QString text;
    ConvertValue(value, false, &text);
    m_edit->setText(text);
}

double CWndSlider::ConvertValue(double v, bool toModel, QString* text) const
{
    double shown = v;
    if (IsTonnesKind(m_nKind) || IsMetresKind(m_nKind)) {
        if (toModel)
            return v / 1000.0;
        shown = v * 1000.0;
    } else if (m_nKind != 2) {
        return v;
    } else if (toModel) {
        return v;
    }
    if (text)
        *text = QString::number(shown, 'f', 0);
    return shown;
}

double CWndSlider::ParseEditText() const
{
    // Read as every number field reads (nothing readable gives 0).
    const NumberReading reading = ReadNumberText(m_edit->text());
    return ConvertValue(reading.IsNumber() ? reading.value : 0.0, true, nullptr);
}

double CWndSlider::ClampValue(double v) const
{
    if (m_dMin > v)
        return m_dMin;
    if (v > m_dMax)
        return m_dMax;
    return v;
}

QEvent::Type CWndSlider::NotifyMessageOfKind(int kind, int kind1Selector, bool kind2Flag)
{
    static constexpr int kMessages[21] = {0,      0,      0,      0x8071, 0x8072, 0x8074, 0x8075,
                                          0x8077, 0x8079, 0x8076, 0x8078, 0x807A, 0x807B, 0x807C,
                                          0x807E, 0x807F, 0x8080, 0x8081, 0x8082, 0x8083, 0x8084};
    if (kind == 1) {
        static constexpr int kKind1[4] = {0x8066, 0x8067, 0x806F, 0x8070};
        return kind1Selector >= 0 && kind1Selector < 4 ? QEvent::Type(kKind1[kind1Selector]) : QEvent::None;
    }
    if (kind == 2)
        return QEvent::Type(kind2Flag ? 0x806C : 0x806D);
    return kind >= 3 && kind <= 20 ? QEvent::Type(kMessages[kind]) : QEvent::None;
}

QEvent::Type CWndSlider::GetNotifyMessage() const
{
    const bool alive = ISliderOwner::IsAlive(m_owner);
    return NotifyMessageOfKind(m_nKind, alive ? m_owner->SliderKind1Selector() : 0,
                               alive && m_owner->SliderKind2Flag());
}

bool CWndSlider::IsToBeReported(double v) const
{
    return Hundredths(v) != Hundredths(m_dLastReported);
}

void CWndSlider::Report(double value)
{
    m_dLastReported = value;
    const QEvent::Type type = GetNotifyMessage();
    if (type == QEvent::None || !m_parent)
        return;
    SliderEvent message(type, this, value);
    QCoreApplication::sendEvent(m_parent, &message);
}

NumberRange CWndSlider::ShownRange() const
{
    QString text;
    return WholeNumberRange(ConvertValue(std::min(m_dMin, m_dMax), false, &text),
                            ConvertValue(std::max(m_dMin, m_dMax), false, &text));
}

bool CWndSlider::IsTaken(const QString& typed) const
{
    return ReadNumberEntry(typed, true, ShownRange()).IsTaken();
}

bool CWndSlider::CheckEditText()
{
    // The slider shows whole kilograms, millimetres or percent and takes whole ones within its limits as
    // it shows them; the value then keeps to its limits in the model's units.
    const QString typed = m_edit->text();
    const NumberRange range = ShownRange();
    NumberEntry entry = ReadNumberEntry(typed, true, range);
    if (entry.IsTaken()) {
        HideRefusal();
        return true;
    }
    if (entry.status == NumberEntry::Status::kEmpty)
        entry.status = NumberEntry::Status::kNoNumber;
    // Refused: the text stays for correction, the value as it was, and a note under the edit says what
    // the slider takes (in the units it shows) until the text is changed or the slider closes.
    m_strMeldung = NumberRefusalText(typed, entry.status, true, range, 0);
    ShowRefusal();
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
    return false;
}

void CWndSlider::ShowRefusal()
{
    if (!m_note) {
        // A window of its own, so that it may reach beyond the slider and the view; it goes with the slider.
        m_note = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
        m_note->setObjectName(QStringLiteral("SliderRefusalNote"));
        m_note->setForegroundRole(QPalette::ToolTipText);
        m_note->setBackgroundRole(QPalette::ToolTipBase);
        m_note->setPalette(QToolTip::palette());
        m_note->setAutoFillBackground(true);
        m_note->setFrameShape(QFrame::Box);
        m_note->setMargin(3);
        m_note->setTextFormat(Qt::RichText);
        m_note->setWordWrap(true);
        m_note->setFont(QToolTip::font());
    }
    m_note->setText(m_strMeldung);
    m_note->setFixedWidth(std::min(m_note->fontMetrics().horizontalAdvance(m_strMeldung) + 12, 360));
    m_note->adjustSize();
    PlaceRefusal();
    m_note->show();
    m_note->raise();
}

void CWndSlider::PlaceRefusal()
{
    if (!m_note)
        return;
    // Under the edit, kept on the edit's screen.
    QPoint pos = m_edit->mapToGlobal(QPoint(0, m_edit->height() + 2));
    if (const QScreen* screen = m_edit->screen()) {
        const QRect room = screen->availableGeometry();
        pos.setX(std::max(room.left(), std::min(pos.x(), room.right() - m_note->width())));
        if (pos.y() + m_note->height() > room.bottom())
            pos.setY(m_edit->mapToGlobal(QPoint(0, 0)).y() - m_note->height() - 2);
    }
    m_note->move(pos);
}

QLabel* CWndSlider::RefusalNote() const
{
    return m_note && m_note->isVisible() ? m_note : nullptr;
}

void CWndSlider::HideRefusal()
{
    m_strMeldung.clear();
    if (m_note)
        m_note->hide();
}

bool CWndSlider::Commit(bool tab)
{
    if (!CheckEditText())
        return false;
    m_dValue = ClampValue(ParseEditText());
    ShowValue(m_dValue);
    if (tab)
        setFocus(Qt::TabFocusReason);
    m_dValue = ParseEditText();
    if (IsToBeReported(m_dValue))
        Report(m_dValue);
    return true;
}

void CWndSlider::ApplyStep(double step)
{
    m_dValue = ClampValue(m_dValue + step);
    RefreshValueText();
    const double shown = ParseEditText();
    if (IsToBeReported(shown)) {
        Report(shown);
        m_edit->update();
    }
}

bool CWndSlider::StepEditDigit(bool up)
{
    int s = m_edit->cursorPosition();
    int e = s;
    if (m_edit->hasSelectedText()) {
        s = m_edit->selectionStart();
        e = m_edit->selectionEnd();
    }
    const int length = int(m_edit->text().left(9).size());
    if (e == length && m_nKind != 2)
        return true;
    int n = length - s + 1;
    if (e == s + 1)
        --n;
    if (n <= 0)
        ++n;
    double step = ConvertValue(std::pow(10.0, n - 1), true, nullptr);
    if (!up)
        step = -step;
    ApplyStep(step);
    const int after = int(m_edit->text().left(9).size());
    if (after - n >= 0)
        m_edit->setSelection(after - n, 1);
    else
        m_edit->deselect();
    return true;
}

bool CWndSlider::MoveEditDigitSel(bool right)
{
    if (!m_edit->hasSelectedText() || m_edit->selectionLength() != 1)
        return false;
    int s = m_edit->selectionStart();
    int e = s + 1;
    const QString t = m_edit->text().left(9);
    const int length = int(t.size());
    if (right) {
        for (;;) {
            if (e >= length)
                return false;
            if (t.at(e) != QLatin1Char('.'))
                break;
            ++s;
            ++e;
        }
        if (e >= length - 1 && m_nKind != 2) {
            m_edit->deselect();
            m_edit->setCursorPosition(e);
        } else {
            m_edit->setSelection(e, 1);
        }
        return true;
    }
    for (;;) {
        if (s == 0)
            return false;
        if (t.at(s - 1) != QLatin1Char('.'))
            break;
        --s;
        --e;
    }
    m_edit->setSelection(s - 1, 1);
    return true;
}

bool CWndSlider::EditKey(QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // A refused entry keeps the keyboard until it is corrected or dropped with Esc.
        if (!Commit(true))
            return true;
        m_edit->update();
        if (m_parent) {
            SliderEvent tab(SliderEvent::kTabType, this);
            QCoreApplication::sendEvent(m_parent, &tab);
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_closeOnReturn) {
            SliderEvent request(SliderEvent::kCloseRequestType, this, 0.0, true);
            QCoreApplication::sendEvent(this, &request);
            return true; // the slider may be gone now
        }
        Commit(false);
        m_edit->update();
        m_edit->selectAll();
        return true;
    case Qt::Key_Escape: {
        SliderEvent request(SliderEvent::kCloseRequestType, this, 0.0, false);
        QCoreApplication::sendEvent(this, &request);
        return true; // the slider may be gone now
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        return StepEditDigit(key->key() == Qt::Key_Up);
    case Qt::Key_Left:
    case Qt::Key_Right:
        return MoveEditDigitSel(key->key() == Qt::Key_Right);
    default:
        break;
    }
    // The clipboard keys stay out; every typed character goes in (what is no number in range is refused
    // with a note when it is applied, never dropped as it is typed).
    if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) ||
        key->matches(QKeySequence::Copy) || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return true;
    return false;
}

bool CWndSlider::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        // A refused text stays for correction.
        if (m_strMeldung.isEmpty())
            RefreshValueText();
        return false;
    case QEvent::FocusOut:
        // A text the slider takes is shown normalised; any other stays for correction.
        if (IsTaken(m_edit->text()))
            ShowValue(ParseEditText());
        return false;
    case QEvent::ShortcutOverride: {
        // Keys the edit handles itself must reach it before any window shortcut.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
            key->key() == Qt::Key_Tab || IsArrow(key->key()))
            event->accept();
        return false;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        key->accept();
        return EditKey(key);
    }
    default:
        return false;
    }
}

bool CWndSlider::event(QEvent* event)
{
    if (event->type() == SliderEvent::kCloseRequestType) {
        OnSliderClose(static_cast<SliderEvent*>(event)->Apply());
        return true; // the slider may be gone now
    }
    return QWidget::event(event);
}

void CWndSlider::OnSliderClose(bool apply)
{
    // A refused text applies nothing and closes nothing: the slider stays with the text and its note
    // until the text is corrected or Esc drops it.
    if (apply && !Commit(false))
        return;
    QPointer<QWidget> parent = m_parent;
    ISliderOwner* owner = ISliderOwner::IsAlive(m_owner) ? m_owner : nullptr;
    ProgramRun* pRun = owner ? owner->SliderProgramRun() : nullptr;
    SliderEvent closing(SliderEvent::kClosingType, this);
    if (parent)
        QCoreApplication::sendEvent(parent, &closing);
    // The parent has deleted this slider while it handled the notice: only locals from here on. The
    // run stays while its owner lives.
    if (pRun && ISliderOwner::IsAlive(owner))
        SliderHint::AfterSliderClosed(*pRun, parent.data());
}

void CWndSlider::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (IsArrow(event->key()))
        return;
    if (event->key() == Qt::Key_Escape) {
        SliderEvent request(SliderEvent::kCloseRequestType, this, 0.0, false);
        QCoreApplication::sendEvent(this, &request);
        return; // the slider may be gone now
    }
    event->ignore();
    QWidget::keyPressEvent(event);
}

QRect CWndSlider::ClientRect() const
{
    return contentsRect();
}

void CWndSlider::resizeEvent(QResizeEvent* event)
{
    const QRect client = ClientRect();
    m_edit->setGeometry(client.x(), client.y(), client.width(), std::min(kEditHeight, client.height()));
    QWidget::resizeEvent(event);
}

void CWndSlider::moveEvent(QMoveEvent* event)
{
    // The note stays under the edit when the owner moves the slider along with what it edits.
    if (RefusalNote())
        PlaceRefusal();
    QWidget::moveEvent(event);
}

void CWndSlider::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect client = ClientRect();
    p.translate(client.topLeft());
    p.setClipRect(QRect(QPoint(0, 0), client.size()));
    const int b = client.height();
    // The grip band: the pattern of bitmap 186 under a black line, recorded for the cursor tests.
    QBrush grip = m_gripBitmap.isNull() ? QBrush(Qt::black, Qt::Dense4Pattern)
                                        : QBrush(QPixmap::fromImage(m_gripBitmap));
    p.setBrush(grip);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRect(-1, b - 10, 41, 10));
    m_gripRect = QRect(QPoint(-1, b - 10), QPoint(40, b));
}

void CWndSlider::UpdateGripCursor(const QPoint& pos)
{
    const QPoint client = pos - ClientRect().topLeft();
    m_overGrip = m_gripRect.contains(client);
    if (m_dragging)
        return;
    if (m_overGrip)
        setCursor(ModuleCursor(kGripCursorId, Qt::SizeVerCursor));
    else
        unsetCursor();
}

void CWndSlider::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    UpdateGripCursor(pos);
    if (event->button() != Qt::LeftButton || !m_overGrip) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    m_dragOffset = ClientRect().height() - (pos.y() - ClientRect().top());
    setCursor(ModuleCursor(kDragCursorId, Qt::SplitVCursor));
    m_dragging = true;
}

void CWndSlider::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (!m_dragging) {
        UpdateGripCursor(pos);
        QWidget::mouseMoveEvent(event);
        return;
    }
    event->accept();
    const int h = height();
    const int d = h - m_dragOffset - pos.y();
    if ((h > 200 && d < 0) || (h < 100 && d > 0))
        return;
    setGeometry(x(), y(), width(), h - d);
    update();
}

void CWndSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    m_dragging = false;
    UpdateGripCursor(event->position().toPoint());
}
