// The main window's status bar: the masses of the open vehicle and the coloured, blinking state message
// of its load calculation.
#pragma once

#include <QColor>
#include <QStatusBar>
#include <QTimer>

#include <functional>

class CQOR1Doc;
class QLabel;

class CQOR2StatusBar : public QStatusBar
{
    Q_OBJECT
public:
    static constexpr int kMassPane = 0xE708; // the vehicle's or the combination's total mass
    static constexpr int kLoadPane = 0xE707; // the mass of the loads
    static constexpr int kStatePane = 116;   // the state message
    static constexpr int kBlinkPeriodMs = 100;
    static constexpr int kStyleNone = 0x100;
    static constexpr int kStyleMessage = 0x200;

    // The document the panes show; null while none is open.
    using DocumentSource = std::function<CQOR1Doc*()>;

    explicit CQOR2StatusBar(QWidget* parent = nullptr);

    void SetDocumentSource(DocumentSource source) { m_document = std::move(source); }
    // The blink timer (100 ms); tests stop it and step the blink with OnTimer.
    QTimer& BlinkTimer() { return m_timer; }

    // The update of the panes in the idle pass: both masses and the state message (mode 0).
    void UpdatePanes();
    void UpdateMassPane();
    void UpdateLoadPane();

    // Pane 116 shows `text` centred, bold, in the message's dark blue.
    void SetStateMarkup(const QString& text);
    // Modes 2 and 3 suspend (3) or resume (2) the building; while suspended mode 0 does nothing. Mode 1
    // builds the message without blinking.
    void BuildStateMessage(int mode);
    // One blink step: a blinking message shows for 8 steps and hides for 2.
    void OnTimer();

    QLabel* Pane(int id) const;
    QString StateText() const { return m_strText; }
    QColor StateColour() const { return m_colour; }
    bool IsBlinking() const { return m_bBlink; }
    bool Alarm() const { return m_bAlarm; }
    int StateBits() const { return m_nBits; }
    int MessageStyle() const { return m_nStyle; }
    bool ShownPhase() const { return m_bShown; }

private:
    CQOR1Doc* Document() const { return m_document ? m_document() : nullptr; }
    void ShowState(const QString& text);

    DocumentSource m_document;
    QLabel* m_mass;
    QLabel* m_load;
    QLabel* m_state;
    QTimer m_timer;
    bool m_bAlarm = false;
    bool m_bBlink = false;
    bool m_bRedraw = false;
    bool m_bShown = true;
    int m_nStyle = kStyleNone;
    QColor m_colour = QColor(193, 250, 137);
    int m_nBits = 0;
    QString m_strText;
    QString m_strShown; // what pane 116 shows now
    int m_nTicks = 0;
    bool m_bSuspended = false;
};
