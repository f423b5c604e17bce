// The typed edit field: filters, commit, formatting and notifications.
#include "ui/CEditLast.h"

#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "platform/LanguageNumbers.h"
#include "ui/ControlId.h"
#include "ui/EditCommitEvent.h"
#include "ui/IMessageBoxService.h"
#include "ui/NotifyEvent.h"
#include "ui/NumberRefusal.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

#include <cmath>
#include <limits>

namespace {

QChar SeparatorChar()
{
    return QLatin1Char(::DecimalSeparator());
}

// The refusal message's frame, caption and button.
constexpr quint32 kTextPruefen = 455;
constexpr int kCaptionText = 273;
constexpr int kOkButton = 668;

QString DigitChars()
{
    return QStringLiteral("0123456789");
}

// A printf format taken apart: the text before and after its one conversion, and the conversion.
struct FormatParts
{
    QString before;
    QString directive; // "%" flags width precision length conversion
    QString after;
    QChar conversion;
};

QString UnescapePercent(QString text)
{
    return text.replace(QLatin1String("%%"), QLatin1String("%"));
}

// Splits a format with exactly one conversion; false for anything else (no conversion, two, '*').
bool SplitFormat(const QString& format, FormatParts* parts)
{
    qsizetype start = -1;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format.at(i) != QLatin1Char('%'))
            continue;
        if (i + 1 < format.size() && format.at(i + 1) == QLatin1Char('%')) {
            ++i;
            continue;
        }
        if (start >= 0)
            return false;
        start = i;
        qsizetype j = i + 1;
        while (j < format.size() && QStringLiteral("-+ #0").contains(format.at(j)))
            ++j;
        while (j < format.size() && format.at(j).isDigit())
            ++j;
        if (j < format.size() && format.at(j) == QLatin1Char('.')) {
            ++j;
            while (j < format.size() && format.at(j).isDigit())
                ++j;
        }
        while (j < format.size() && QStringLiteral("hlL").contains(format.at(j)))
            ++j;
        if (j >= format.size())
            return false;
        parts->conversion = format.at(j);
        parts->directive = format.mid(i, j - i + 1);
        parts->before = UnescapePercent(format.left(i));
        parts->after = format.mid(j + 1);
        i = j;
    }
    if (start < 0)
        return false;
    parts->after = UnescapePercent(parts->after);
    return true;
}

// The directive with its length modifiers removed, so the argument type is the one we pass.
QString PlainDirective(const FormatParts& parts)
{
    QString directive = parts.directive;
    directive.chop(1);
    while (!directive.isEmpty() && QStringLiteral("hlL").contains(directive.back()))
        directive.chop(1);
    return directive + parts.conversion;
}

// Reads a number the way the field reads typed text (ReadNumber: the language's decimal separator,
// or the other one where it cannot be a thousands separator). False for anything that is not wholly
// a finite number.
bool ReadDouble(const QString& text, double* out)
{
    const NumberReading reading = ReadNumberText(text);
    if (!reading.IsNumber())
        return false;
    *out = reading.value;
    return true;
}

// Truncates toward zero; false when the result does not fit an int.
bool TruncateToInt(double value, int* out)
{
    if (!std::isfinite(value) || value <= double(std::numeric_limits<int>::min()) - 1.0 ||
        value >= double(std::numeric_limits<int>::max()) + 1.0)
        return false;
    *out = int(std::trunc(value));
    return true;
}

// "%f" of a number with the user's decimal separator: the text form of a number in a text field.
QString NumberAsText(double value)
{
    QString text = QString::asprintf("%f", value);
    const QChar sep = SeparatorChar();
    if (sep != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), sep);
    return text;
}

} // namespace

CEditLast::CEditLast(QWidget* parent) : QLineEdit(parent) {}

CEditLast::~CEditLast() = default;

int CEditLast::CtrlId() const
{
    return ControlId::Of(this);
}

void CEditLast::SetFormat(int mode, std::optional<QString> format, std::optional<QString> emptyText,
                          std::optional<QString> initialText)
{
    m_value = EditValue();
    m_value.mode = (mode >= EditValue::kNone && mode <= EditValue::kText) ? mode : EditValue::kNone;
    m_marker = EditValue();
    m_marker.mode = m_value.mode;
    m_format.clear();
    m_prefix.clear();
    m_suffix.clear();
    if (format) {
        const QStringList lines = format->split(QLatin1Char('\n'));
        if (lines.size() == 1) {
            m_format = lines.at(0);
        } else if (lines.size() == 2) {
            m_format = lines.at(0);
            m_suffix = lines.at(1);
        } else {
            m_prefix = lines.at(0);
            m_format = lines.at(1);
            m_suffix = QStringList(lines.mid(2)).join(QLatin1Char('\n'));
        }
    }
    if (emptyText)
        m_emptyText = *emptyText;
    if (initialText)
        setText(*initialText);
    // A number field takes every typed character: what is not a number is refused with a message when
    // the field is committed, so nothing typed vanishes unnoticed.
    if (m_value.mode != EditValue::kNone && m_value.mode != EditValue::kText) {
        m_allowed.clear();
        m_onceOnly.clear();
    }
    ClearRefusal();
}

void CEditLast::SetAllowedChars(const QString& set)
{
    // The control characters Backspace, Tab, Return and Esc always pass the filter.
    m_allowed = QStringLiteral("\b\t\r\x1b") + set;
}

void CEditLast::SetAllowedChars(int builtInSet)
{
    // The number sets filter nothing in a number field (its commit reads and refuses); a text field
    // keeps them as a filter.
    if (m_value.mode != EditValue::kText) {
        m_allowed.clear();
        return;
    }
    if (builtInSet == kDigits)
        SetAllowedChars(DigitChars());
    else if (builtInSet == kDigitsAndSeparator)
        SetAllowedChars(DigitChars() + SeparatorChar());
}

void CEditLast::SetRefusedChars(const QString& set)
{
    m_refused = set;
}

void CEditLast::SetCharMap(const QString& from, const QString& to)
{
    m_mapFrom = from;
    m_mapTo = to;
}

void CEditLast::SetOnceOnlyChars(const QString& set)
{
    m_onceOnly = set;
}

void CEditLast::SetOnceOnlyChars(int builtInSet)
{
    if (builtInSet == kDecimalSeparator && m_value.mode == EditValue::kText)
        m_onceOnly = QString(SeparatorChar());
}

void CEditLast::SetBkColor(const QColor& color)
{
    m_bkColor = color;
    QPalette pal = palette();
    if (color.isValid())
        pal.setColor(QPalette::Base, color);
    else
        pal.setColor(QPalette::Base, parentWidget() ? parentWidget()->palette().color(QPalette::Base)
                                                    : QApplication::palette().color(QPalette::Base));
    setPalette(pal);
    update();
}

void CEditLast::SetEmptyValueInt(int marker)
{
    m_marker = FromDouble(marker);
    if (m_value.mode == EditValue::kInt)
        m_marker.i = marker;
    m_markerSet = true;
    m_empty = EqualsEmptyValue();
    RefreshText();
}

void CEditLast::SetEmptyValueFloat(float marker)
{
    m_marker = FromDouble(marker);
    m_markerSet = true;
    m_empty = EqualsEmptyValue();
    RefreshText();
}

void CEditLast::SetEmptyValueDouble(double marker)
{
    m_marker = FromDouble(marker);
    m_markerSet = true;
    m_empty = EqualsEmptyValue();
    RefreshText();
}

void CEditLast::SetEmptyValueText(std::optional<QString> marker)
{
    m_marker = EditValue();
    m_marker.mode = m_value.mode;
    m_markerSet = marker.has_value();
    if (marker)
        m_marker.s = *marker;
    m_empty = EqualsEmptyValue();
    RefreshText();
}

void CEditLast::SetRestoreValueFloat(float value)
{
    m_restore = FromDouble(value);
}

void CEditLast::SetRestoreValueDouble(double value)
{
    m_restore = FromDouble(value);
}

EditValue CEditLast::FromDouble(double value) const
{
    EditValue v;
    v.mode = m_value.mode;
    switch (v.mode) {
    case EditValue::kInt:
        TruncateToInt(value, &v.i);
        break;
    case EditValue::kFloat:
        v.f = float(value);
        if (!std::isfinite(v.f))
            v.f = 0.0f;
        break;
    case EditValue::kDouble:
        v.d = std::isfinite(value) ? value : 0.0;
        break;
    case EditValue::kText:
        v.s = NumberAsText(value);
        break;
    default:
        break;
    }
    return v;
}

bool CEditLast::ToDouble(const EditValue& value, double* out) const
{
    switch (value.mode) {
    case EditValue::kInt:
        *out = value.i;
        return true;
    case EditValue::kFloat:
        *out = value.f;
        return true;
    case EditValue::kDouble:
        *out = value.d;
        return true;
    case EditValue::kText:
        return ReadDouble(value.s, out);
    default:
        return false;
    }
}

bool CEditLast::EqualsEmptyValue() const
{
    if (!m_markerSet)
        return false;
    switch (m_value.mode) {
    case EditValue::kInt:
        return m_value.i == m_marker.i;
    case EditValue::kFloat:
        return std::fabs(double(m_value.f) - double(m_marker.f)) < 0.005;
    case EditValue::kDouble:
        return std::fabs(m_value.d - m_marker.d) < 0.005;
    case EditValue::kText:
        return m_value.s == m_marker.s;
    default:
        return false;
    }
}

bool CEditLast::ParseValue(EditValue* value, int mode, const QString& text)
{
    if (mode == EditValue::kText) {
        value->s = text;
        return false;
    }
    double d = 0.0;
    if (!ReadDouble(text, &d))
        return true;
    switch (mode) {
    case EditValue::kInt:
        return !TruncateToInt(d, &value->i);
    case EditValue::kFloat:
        if (!std::isfinite(float(d)))
            return true;
        value->f = float(d);
        return false;
    case EditValue::kDouble:
        value->d = d;
        return false;
    default:
        return true;
    }
}

int CEditLast::ParseInt(const QString& text, bool* error)
{
    double d = 0.0;
    int i = 0;
    const bool ok = ReadDouble(text, &d) && TruncateToInt(d, &i);
    if (error)
        *error = !ok;
    return ok ? i : 0;
}

void CEditLast::OnTextCommitted(EditValue& newValue)
{
    if (m_value.mode == EditValue::kNone || !parentWidget())
        return;
    EditCommitEvent event(CtrlId(), &newValue);
    QCoreApplication::sendEvent(parentWidget(), &event);
    // Whatever the receiver did, the value stays of the field's kind and finite.
    newValue.mode = m_value.mode;
    if (!std::isfinite(newValue.f))
        newValue.f = 0.0f;
    if (!std::isfinite(newValue.d))
        newValue.d = 0.0;
}

void CEditLast::Notify(int code, int wParam, int flagA)
{
    if (!parentWidget())
        return;
    NotifyEvent event(quint32(CtrlId()), code, this);
    event.wParam = wParam;
    event.flagA = flagA;
    QCoreApplication::sendEvent(parentWidget(), &event);
}

void CEditLast::SendChanged(const EditValue& old, bool byReturn)
{
    if (!m_notifyEnabled || !parentWidget())
        return;
    m_notifyEnabled = false;
    NotifyEvent event(quint32(CtrlId()), kNotifyChanged, this);
    event.wParam = CtrlId();
    event.a = &old;
    event.b = &m_value;
    event.flag = byReturn ? 1 : 0;
    QCoreApplication::sendEvent(parentWidget(), &event);
    m_notifyEnabled = true;
}

bool CEditLast::CommitText(bool byReturn)
{
    return CommitText(byReturn ? CommitTrigger::kReturn : CommitTrigger::kLeave);
}

bool CEditLast::CommitText(CommitTrigger trigger)
{
    const bool byReturn = trigger == CommitTrigger::kReturn;
    const bool wasEmpty = m_empty;
    const EditValue old = m_value;
    m_empty = false;
    const QString typed = text();
    m_lastText = typed;
    if (m_value.mode == EditValue::kText) {
        if (typed.isEmpty()) {
            if (m_restore) {
                m_value.s = m_restore->s;
            } else {
                m_empty = true;
                m_value.s.clear();
            }
        } else {
            EditValue v = m_value;
            v.s = typed;
            OnTextCommitted(v);
            m_value = v;
        }
    } else if (m_value.mode != EditValue::kNone) {
        EditValue v = m_value;
        NumberEntry entry = ReadNumberEntry(typed, IsWholeNumberField(), m_range);
        const double d = entry.value;
        if (entry.IsTaken()) {
            // A number the value's type cannot hold lies outside what the field takes too.
            if (m_value.mode == EditValue::kInt) {
                if (d < double(std::numeric_limits<int>::min()) ||
                    d > double(std::numeric_limits<int>::max()))
                    entry.status = NumberEntry::Status::kOutside;
                else
                    v.i = int(d);
            } else if (m_value.mode == EditValue::kFloat) {
                v.f = float(d);
                if (!std::isfinite(v.f))
                    entry.status = NumberEntry::Status::kOutside;
            } else {
                v.d = d;
            }
        }
        if (entry.IsRefused()) {
            // Refused: the value and the empty state stay as they were, the typed text stays for
            // the user to correct, and a message says what the field takes.
            m_empty = wasEmpty;
            Refuse(typed, entry.status, trigger);
            return false;
        }
        const bool ok = entry.IsTaken();
        if (!ok) {
            if (m_restore) {
                m_value = *m_restore;
            } else {
                m_value.i = 0;
                m_value.f = 0.0f;
                m_value.d = 0.0;
                m_empty = true;
            }
        } else {
            OnTextCommitted(v);
            m_value = v;
        }
    }
    ClearRefusal();
    if (!m_empty)
        m_empty = EqualsEmptyValue();
    RefreshText();
    if (!byReturn) {
        if (wasEmpty && m_empty)
            return true;
        if (!wasEmpty && !m_empty && old.SameAs(m_value))
            return true;
    }
    SendChanged(old, byReturn);
    return true;
}

void CEditLast::SetRange(double min, double max, const QString& subject)
{
    m_range = std::make_pair(std::min(min, max), std::max(min, max));
    m_rangeSubject = subject;
}

void CEditLast::ClearRange()
{
    m_range.reset();
    m_rangeSubject.clear();
}

int CEditLast::ShownDecimals() const
{
    if (m_value.mode == EditValue::kInt)
        return 0;
    FormatParts parts;
    if (SplitFormat(m_format, &parts)) {
        const qsizetype dot = parts.directive.indexOf(QLatin1Char('.'));
        if (dot >= 0) {
            int n = 0;
            for (qsizetype i = dot + 1; i < parts.directive.size() && parts.directive.at(i).isDigit(); ++i)
                n = n * 10 + parts.directive.at(i).digitValue();
            return std::min(n, 9);
        }
    }
    return 2;
}

bool CEditLast::IsWholeNumberField() const
{
    const int mode = m_value.mode;
    return mode == EditValue::kInt ||
           ((mode == EditValue::kFloat || mode == EditValue::kDouble) && ShownDecimals() == 0);
}

void CEditLast::Refuse(const QString& typed, NumberEntry::Status why, CommitTrigger trigger)
{
    const bool again = m_isRefused && m_refusedText == typed;
    m_isRefused = true;
    m_refusedText = typed;
    QString body = NumberRefusalText(typed, why, IsWholeNumberField(), m_range, ShownDecimals());
    if (!m_rangeSubject.isEmpty())
        body = m_rangeSubject.toHtmlEscaped() + QStringLiteral("<br>") + body;
    const std::string pruefen = LoadResString(kTextPruefen);
    m_refusalMessage = QString::fromStdString(FormatChecked(
        pruefen.empty() ? std::string("Please check this entry:\n%s") : pruefen, {body.toStdString()}));
    // The same text refused again tells nothing more, except on Return: leaving the field for the
    // message box itself must not open another one.
    if (again && trigger != CommitTrigger::kReturn)
        return;
    if (trigger == CommitTrigger::kLeave) {
        // Told once the focus has moved on, not inside the focus change.
        m_refusalPending = true;
        QPointer<CEditLast> self(this);
        QTimer::singleShot(0, this, [self] {
            // Not for a field whose dialog was closed meanwhile.
            if (self && self->m_refusalPending && self->isVisible())
                self->ShowRefusal();
        });
        return;
    }
    ShowRefusal();
}

void CEditLast::ClearRefusal()
{
    m_refusalPending = false;
    m_isRefused = false;
    m_refusedText.clear();
    m_refusalMessage.clear();
}

void CEditLast::ShowRefusal()
{
    m_refusalPending = false;
    if (!m_isRefused)
        return;
    ++m_refusalsShown;
    IMessageBoxService::HtmlBox box;
    box.text = m_refusalMessage;
    box.captionId = kCaptionText;
    box.buttons = {{kOkButton, kOkButton}};
    QPointer<CEditLast> self(this);
    MessageBoxes().ShowHtml(window(), box, nullptr);
    if (!self)
        return;
    if (isVisible() && isEnabled()) {
        setFocus(Qt::OtherFocusReason);
        if (text() != m_refusedText)
            setText(m_refusedText);
        selectAll();
    }
}

bool CEditLast::CommitPending()
{
    const int shown = m_refusalsShown;
    if (m_focused && m_value.mode != EditValue::kNone)
        CommitText(CommitTrigger::kCheck);
    if (m_isRefused && m_refusalsShown == shown)
        ShowRefusal();
    return !m_isRefused;
}

void CEditLast::StoreSetValue(const EditValue& value, bool notifyChange)
{
    ClearRefusal();
    const bool wasEmpty = m_empty;
    const EditValue old = m_value;
    if (m_value.mode == EditValue::kNone) {
        m_empty = true;
    } else {
        m_value = value;
        m_value.mode = old.mode;
        m_empty = EqualsEmptyValue();
        if (!m_empty) {
            if (m_value.mode != EditValue::kText)
                OnTextCommitted(m_value);
            m_empty = EqualsEmptyValue();
        }
    }
    RefreshText();
    m_lastText = text();
    if (notifyChange && (wasEmpty != m_empty || !old.SameAs(m_value)))
        SendChanged(old, false);
}

void CEditLast::SetInt(int value)
{
    EditValue v = FromDouble(value);
    if (v.mode == EditValue::kInt)
        v.i = value;
    StoreSetValue(v, false);
}

void CEditLast::SetFloat(float value)
{
    if (!std::isfinite(value)) {
        SetText(std::nullopt);
        return;
    }
    StoreSetValue(FromDouble(value), true);
}

void CEditLast::SetDouble(double value)
{
    if (!std::isfinite(value)) {
        SetText(std::nullopt);
        return;
    }
    StoreSetValue(FromDouble(value), false);
}

void CEditLast::SetText(std::optional<QString> text)
{
    ClearRefusal();
    if (m_value.mode == EditValue::kNone) {
        setText(text.value_or(QString()));
        m_lastText = QLineEdit::text();
        return;
    }
    EditValue v = m_value;
    if (!text || ParseValue(&v, m_value.mode, *text)) {
        m_empty = true;
        m_value.i = 0;
        m_value.f = 0.0f;
        m_value.d = 0.0;
        m_value.s.clear();
        RefreshText();
        m_lastText = QLineEdit::text();
        return;
    }
    StoreSetValue(v, false);
}

int CEditLast::GetInt() const
{
    int i = 0;
    double d = 0.0;
    const EditValue& v = m_empty ? m_marker : m_value;
    if (m_empty && !m_markerSet)
        return 0;
    if (v.mode == EditValue::kInt)
        return v.i;
    return ToDouble(v, &d) && TruncateToInt(d, &i) ? i : 0;
}

float CEditLast::GetFloat() const
{
    return float(GetDouble());
}

double CEditLast::GetDouble() const
{
    double d = 0.0;
    if (m_empty && !m_markerSet)
        return 0.0;
    return ToDouble(m_empty ? m_marker : m_value, &d) ? d : 0.0;
}

QString CEditLast::GetText() const
{
    if (m_empty) {
        if (!m_markerSet)
            return QString();
        return m_value.mode == EditValue::kText ? m_marker.s : FormatNumber(m_marker);
    }
    if (m_value.mode == EditValue::kText)
        return m_value.s;
    return FormatShownText();
}

int CEditLast::GetIntOr(int ifEmpty)
{
    if (m_focused)
        CommitText(CommitTrigger::kCheck);
    if (m_empty || m_isRefused)
        return ifEmpty;
    if (m_value.mode == EditValue::kInt)
        return m_value.i;
    double d = 0.0;
    int i = 0;
    return ToDouble(m_value, &d) && TruncateToInt(d, &i) ? i : ifEmpty;
}

float CEditLast::GetFloatOr(float ifEmpty)
{
    if (m_focused)
        CommitText(CommitTrigger::kCheck);
    if (m_empty || m_isRefused)
        return ifEmpty;
    if (m_value.mode == EditValue::kFloat)
        return m_value.f;
    double d = 0.0;
    return ToDouble(m_value, &d) && std::isfinite(float(d)) ? float(d) : ifEmpty;
}

double CEditLast::GetDoubleOr(double ifEmpty)
{
    return GetDoubleOrEx(ifEmpty, nullptr);
}

double CEditLast::GetDoubleOrEx(double ifEmpty, bool* empty)
{
    if (m_focused)
        CommitText(CommitTrigger::kCheck);
    if (empty)
        *empty = m_empty || m_isRefused;
    if (m_empty || m_isRefused)
        return ifEmpty;
    double d = 0.0;
    return ToDouble(m_value, &d) ? d : ifEmpty;
}

QString CEditLast::GetTextOr(const QString& ifEmpty)
{
    if (m_focused)
        CommitText(CommitTrigger::kCheck);
    if (m_empty || m_isRefused)
        return ifEmpty;
    return m_value.mode == EditValue::kText ? m_value.s : FormatShownText();
}

bool CEditLast::IsEmpty()
{
    if (m_focused)
        CommitText(CommitTrigger::kCheck);
    return m_empty || m_isRefused;
}

QString CEditLast::FormatNumber(const EditValue& value) const
{
    const int mode = value.mode;
    QString format = m_format;
    if (format.isEmpty())
        format = mode == EditValue::kInt    ? QStringLiteral("%i")
                 : mode == EditValue::kText ? QStringLiteral("%s")
                                            : QStringLiteral("%f");
    // A format that does not fit the kind of value falls back to the default, so a wrong format can
    // never read an argument of another type.
    FormatParts parts;
    const QString intConv = QStringLiteral("diouxX");
    const QString floatConv = QStringLiteral("fFeEgG");
    bool fits = SplitFormat(format, &parts);
    if (fits) {
        if (mode == EditValue::kInt)
            fits = intConv.contains(parts.conversion);
        else if (mode == EditValue::kText)
            fits = parts.conversion == QLatin1Char('s');
        else
            fits = floatConv.contains(parts.conversion);
    }
    if (!fits) {
        parts = FormatParts();
        parts.conversion = mode == EditValue::kInt    ? QLatin1Char('i')
                           : mode == EditValue::kText ? QLatin1Char('s')
                                                      : QLatin1Char('f');
        parts.directive = QStringLiteral("%") + parts.conversion;
    }
    const QByteArray directive = PlainDirective(parts).toLatin1();
    QString number;
    switch (mode) {
    case EditValue::kInt:
        number = QString::asprintf(directive.constData(), value.i);
        break;
    case EditValue::kFloat:
    case EditValue::kDouble: {
        number =
            QString::asprintf(directive.constData(), mode == EditValue::kFloat ? double(value.f) : value.d);
        const QChar sep = SeparatorChar();
        if (sep != QLatin1Char('.'))
            number.replace(QLatin1Char('.'), sep);
        break;
    }
    case EditValue::kText:
        number = QString::asprintf(directive.constData(), value.s.toUtf8().constData());
        break;
    default:
        break;
    }
    return parts.before + number + parts.after;
}

QString CEditLast::FormatShownText() const
{
    if (m_isRefused)
        return m_refusedText;
    if (m_empty)
        return m_focused ? QString() : m_emptyText;
    const QString text = FormatNumber(m_value);
    return m_focused ? text : m_prefix + text + m_suffix;
}

void CEditLast::RefreshText()
{
    if (m_value.mode == EditValue::kNone)
        return;
    const QString shown = FormatShownText();
    if (shown != text())
        setText(shown);
}

void CEditLast::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_value.mode != EditValue::kNone) {
            if (!CommitText(CommitTrigger::kReturn)) {
                // A refused entry goes no further: the dialog must not act on the old value.
                event->accept();
                return;
            }
            selectAll();
        }
        if (m_returnNotify) {
            NotifyEvent note(quint32(CtrlId()), kNotifyReturn, this);
            if (parentWidget())
                QCoreApplication::sendEvent(parentWidget(), &note);
            if (note.result > 0) {
                event->accept();
                return;
            }
        }
        event->ignore(); // the dialog presses its default button
        return;
    }
    if (key == Qt::Key_Escape) {
        Notify(kNotifyChar, 27);
        event->ignore();
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).unicode() >= 0x20 && !(event->modifiers() & Qt::ControlModifier)) {
        QChar c = typed.at(0);
        const qsizetype at = m_mapFrom.indexOf(c);
        if (at >= 0 && m_mapTo.size() > at)
            c = m_mapTo.at(at);
        bool refuse = !m_refused.isEmpty() && m_refused.contains(c);
        refuse = refuse || (!m_allowed.isEmpty() && !m_allowed.contains(c));
        if (!refuse && !m_onceOnly.isEmpty() && m_onceOnly.contains(c)) {
            QString rest = text();
            if (hasSelectedText())
                rest.remove(selectionStart(), selectedText().size());
            refuse = rest.contains(c);
        }
        if (refuse) {
            event->accept();
            return;
        }
        if (c != typed.at(0)) {
            insert(QString(c));
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CEditLast::mousePressEvent(QMouseEvent* event)
{
    Notify(kNotifyClicked, CtrlId(), hasFocus() ? 0 : 1);
    QLineEdit::mousePressEvent(event);
}

void CEditLast::focusInEvent(QFocusEvent* event)
{
    m_focused = true;
    QLineEdit::focusInEvent(event);
    RefreshText();
    selectAll();
}

void CEditLast::focusOutEvent(QFocusEvent* event)
{
    m_focused = false;
    if (m_value.mode != EditValue::kNone)
        CommitText(CommitTrigger::kLeave);
    QLineEdit::focusOutEvent(event);
}
