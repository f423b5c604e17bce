// The small pop-up value editor the plan views open over a mass, a length or a percentage.
#pragma once

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include "ui/NumberRefusal.h"

class ISliderOwner;
class QLabel;
class QLineEdit;

// A bordered child of a view, placed above a point of it, holding one right-aligned edit in which
// the user types or steps a whole number of kilograms, millimetres or percent. The value is kept in
// the model's units (tonnes, metres, percent), limited to [minimum, maximum], and changes go to the
// parent as the kind's value message (SliderEvent). Return applies the typed text, Up and Down step
// one digit, Left and Right move between digits, Tab applies and tells the parent; a mouse press or
// a key press (arrows excepted) anywhere outside every slider applies and closes, Esc closes without
// applying. A text that is no whole number within the limits is refused: it stays with a note under
// the edit, and nothing applies it or closes the slider but a corrected text or Esc. Closing sends
// SliderEvent::kClosingType, on which the parent deletes the slider.
//
// Use: construct, SetKind, SetLimits, SetValue, Create, show (and move); delete on kClosingType.
// Compact sliders are 46 x 16 pixels, tall ones 40 x 110 with a grip band that changes the height
// between 100 and 200 pixels.
class CWndSlider : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kEditId = 223;
    static constexpr int kWindowId = 444;

    CWndSlider();
    ~CWndSlider() override;

    // Owner settings, before Create.
    void SetKind(int kind) { m_nKind = kind; }
    int Kind() const { return m_nKind; }
    void SetLimits(double minimum, double maximum);
    double Minimum() const { return m_dMin; }
    double Maximum() const { return m_dMax; }

    // Places the slider in `parent`'s client area above `anchor` and makes it the one outside
    // presses close. Hidden until the owner shows it. False without a parent.
    bool Create(const QPoint& anchor, QWidget* parent, bool compact);

    // Stores the value (no limit, no report) and shows it.
    void SetValue(double value);
    double Value() const { return m_dValue; }
    double LastReportedValue() const { return m_dLastReported; }
    // The edit's background; answers the colour set before (invalid before the first call).
    QColor SetEditBkColor(const QColor& colour);
    // Focus to the edit with its whole text selected.
    void FocusEdit();
    // Return applies the typed text and closes the slider (a field typed into and done with), instead
    // of keeping it open with the text selected.
    void SetCloseOnReturn(bool close) { m_closeOnReturn = close; }

    void ShowValue(double value);
    void RefreshValueText() { ShowValue(m_dValue); }
    // The edit's text as a value in model units.
    double ParseEditText() const;
    // Unit conversion by kind: to the model (divide) or to the shown units (multiply, with the text).
    double ConvertValue(double v, bool toModel, QString* text) const;
    double ClampValue(double v) const;
    // The message the kind reports with (0 for kinds outside 1 to 20).
    QEvent::Type GetNotifyMessage() const;
    static QEvent::Type NotifyMessageOfKind(int kind, int kind1Selector, bool kind2Flag);
    // Whether v differs from the last reported value in its hundredths.
    bool IsToBeReported(double v) const;

    QLineEdit* Edit() const { return m_edit; }
    // The note of the refused entry (a text that is no whole number, or one outside the limits, in the
    // shown units), shown under the edit until the text is changed; empty after an entry that was taken.
    QString RefusalMessage() const { return m_strMeldung; }
    // The note's window while it shows, else null.
    QLabel* RefusalNote() const;
    // The whole numbers the slider takes in the units it shows: its limits as it shows them.
    NumberRange ShownRange() const;
    // The grip band as last painted (client coordinates); empty before the first paint of a tall slider.
    QRect GripRect() const { return m_gripRect; }
    bool IsDragging() const { return m_dragging; }

    // The slider outside presses go to: the newest live one; null when none is open.
    static CWndSlider* Current();
    static int OpenCount();

    // Keyboard routines of the edit; true when they handled the key.
    bool StepEditDigit(bool up);
    bool MoveEditDigitSel(bool right);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool EditKey(QKeyEvent* key);
    // Applies the edit's text; false (nothing applied) when it is refused.
    bool Commit(bool tab);
    // True when the edit's text is a whole number within the limits; otherwise shows the refusal note.
    bool CheckEditText();
    bool IsTaken(const QString& typed) const;
    void ShowRefusal();
    void PlaceRefusal();
    void HideRefusal();
    void ApplyStep(double step);
    void Report(double value);
    void OnSliderClose(bool apply);
    void UpdateGripCursor(const QPoint& pos);
    QRect ClientRect() const;

    int m_nKind = 0;
    double m_dValue = 0.0;
    double m_dLastReported = 0.0;
    double m_dMax = 0.0;
    double m_dMin = 0.0;
    QColor m_editColour;
    QImage m_gripBitmap;
    QRect m_gripRect;
    int m_dragOffset = 0;
    bool m_overGrip = false;
    bool m_dragging = false;
    bool m_compact = true;
    bool m_closeOnReturn = false;
    QPointer<QWidget> m_parent;
    ISliderOwner* m_owner = nullptr;
    QLineEdit* m_edit;
    QString m_strMeldung;
    QLabel* m_note = nullptr;
};
