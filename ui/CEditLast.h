// The edit field of all dialogs: holds one typed value, filters what is typed, shows it formatted.
#pragma once

#include "ui/EditValue.h"
#include "ui/NumberRefusal.h"

#include <QColor>
#include <QLineEdit>

#include <optional>
#include <utility>

// The field parses its text when the user leaves it or presses Return, keeps the value, and shows it
// through a printf-style format with an optional prefix and suffix while it has no focus. Numbers are
// shown and read in the interface language's format (ReadNumber, FormatNumber), whatever the desktop's
// locale is. A number field drops no typed character: a text it cannot read, or a number outside its
// range, is refused with a message naming what it takes, the typed text stays for correction and the
// value stays as it was. It tells its parent about clicks, Return, Esc and value changes by
// NotifyEvent, and about each committed value by EditCommitEvent (which the dialog base turns into
// OnEditCommit).
class CEditLast : public QLineEdit
{
    Q_OBJECT

public:
    // Notification codes sent to the parent.
    static constexpr int kNotifyReturn = 0x80DC; // Return was pressed (with the return notification set)
    static constexpr int kNotifyChanged =
        0x80DD; // the value changed: a = old, b = new EditValue, flag = by Return
    static constexpr int kNotifyClicked = 0x80DE; // a click; flagA = 1 when the field had no focus
    static constexpr int kNotifyChar = 0x102;     // Esc was typed; wParam = 27

    // Character sets the field builds itself (SetAllowedChars, SetOnceOnlyChars); in a number field
    // they filter nothing, since its commit reads and refuses.
    static constexpr int kDigits = 1;
    static constexpr int kDigitsAndSeparator = 2;
    static constexpr int kDecimalSeparator = 4;

    explicit CEditLast(QWidget* parent = nullptr);
    ~CEditLast() override;

    // Setup. The format may have one line (format), two (format, suffix) or three (prefix, format, suffix).
    void SetFormat(int mode, std::optional<QString> format = std::nullopt,
                   std::optional<QString> emptyText = std::nullopt,
                   std::optional<QString> initialText = std::nullopt);
    void SetAllowedChars(const QString& set);
    void SetAllowedChars(int builtInSet);
    void SetRefusedChars(const QString& set);
    void SetCharMap(const QString& from, const QString& to);
    void SetOnceOnlyChars(const QString& set);
    void SetOnceOnlyChars(int builtInSet);
    void SetBkColor(const QColor& color); // an invalid colour: none (the dialog's colours apply)
    void SetReturnNotification(bool on) { m_returnNotify = on; }
    // The numbers a number field takes (in the value's unit), and an optional first line of its
    // refusal message saying which entry is meant.
    void SetRange(double min, double max, const QString& subject = QString());
    void ClearRange();

    void SetEmptyValueInt(int marker);
    void SetEmptyValueFloat(float marker);
    void SetEmptyValueDouble(double marker);
    void SetEmptyValueText(std::optional<QString> marker); // nullopt: no marker
    void SetRestoreValueFloat(float value);
    void SetRestoreValueDouble(double value);

    // Values.
    void SetInt(int value);
    void SetFloat(float value);
    void SetDouble(double value);
    void SetText(std::optional<QString> text); // nullopt: empty
    int GetInt() const;
    float GetFloat() const;
    double GetDouble() const;
    QString GetText() const;
    int GetIntOr(int ifEmpty);
    float GetFloatOr(float ifEmpty);
    double GetDoubleOr(double ifEmpty);
    double GetDoubleOrEx(double ifEmpty, bool* empty);
    QString GetTextOr(const QString& ifEmpty);
    bool IsEmpty();
    bool EqualsEmptyValue() const;

    int Mode() const { return m_value.mode; }
    const EditValue& Value() const { return m_value; }
    QString LastText() const { return m_lastText; }
    QColor BkColor() const { return m_bkColor; }

    // Reads `text` as a value of `mode` into `value`; true on an error (nothing read, characters
    // left over, a number out of range or not finite).
    static bool ParseValue(EditValue* value, int mode, const QString& text);
    // The text read as a number truncated toward zero; 0 and *error true when it is not one.
    static int ParseInt(const QString& text, bool* error);

    // What made the field commit: leaving it, Return, or a getter or check of the dialog.
    enum class CommitTrigger
    {
        kLeave,
        kReturn,
        kCheck,
    };
    // Parses the window text into the value (on leaving the field, on Return, by getters while
    // focused); false when the text was refused.
    bool CommitText(bool byReturn);
    bool CommitText(CommitTrigger trigger);
    // The typed text was refused and the field holds no value from it (the getters answer as empty).
    bool IsRefused() const { return m_isRefused; }
    QString RefusalMessage() const { return m_refusalMessage; }
    // A number field that shows no decimals (an int, or a "%.0f" format) takes whole numbers only: a
    // decimal is refused with a message naming the whole numbers it takes, never rounded.
    bool IsWholeNumberField() const;
    // Commits a pending entry; when the field's text is refused its message is shown (once) and the
    // field takes the focus. False when refused: a dialog goes no further.
    bool CommitPending();
    // Shows the refusal message and puts the focus back into the field with its text selected.
    void ShowRefusal();
    QString FormatShownText() const;
    void RefreshText();

protected:
    // Offers the new value to the parent (EditCommitEvent) before it is stored.
    virtual void OnTextCommitted(EditValue& newValue);

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString FormatNumber(const EditValue& value) const;
    int ShownDecimals() const;
    void Refuse(const QString& typed, NumberEntry::Status why, CommitTrigger trigger);
    void ClearRefusal();
    EditValue FromDouble(double value) const;
    bool ToDouble(const EditValue& value, double* out) const;
    void StoreSetValue(const EditValue& value, bool notifyChange);
    void SendChanged(const EditValue& old, bool byReturn);
    void Notify(int code, int wParam = 0, int flagA = 0);
    int CtrlId() const;

    EditValue m_value;
    std::optional<EditValue> m_restore;
    EditValue m_marker;
    bool m_markerSet = false;
    bool m_empty = true;
    bool m_focused = false;
    QString m_format;
    QString m_prefix;
    QString m_suffix;
    QString m_emptyText;
    QString m_refused;
    QString m_allowed;
    QString m_mapFrom;
    QString m_mapTo;
    QString m_onceOnly;
    bool m_returnNotify = false;
    bool m_notifyEnabled = true;
    QString m_lastText;
    QColor m_bkColor;
    std::optional<std::pair<double, double>> m_range;
    QString m_rangeSubject;
    bool m_isRefused = false;
    bool m_refusalPending = false;
    int m_refusalsShown = 0;
    QString m_refusedText;
    QString m_refusalMessage;
};
