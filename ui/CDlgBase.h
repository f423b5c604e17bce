// The common base of the program's dialogs: one look, one keyboard order, strips from placeholders.
#pragma once

#include "ui/EditValue.h"

#include <QColor>
#include <QDialog>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QString>

#include <array>
#include <memory>

class CommandUpdateEvent;
class IButtonStrip;
class IStripFactory;
class NotifyEvent;
class QPainter;
class QTimer;

// A dialog loads its template (DialogTemplateLoader) in the constructor and prepares itself once,
// before it is first shown (or when InitDialog is called): group boxes get our rounded two-colour
// frames, "_RBC" placeholders become button strips, the keyboard order is built over ordinary
// controls and strip buttons, and the font is set. Commands 668 (OK) and 705 (Cancel) close it from
// any button. The template keeps its controls as direct children of the dialog, placed by geometry;
// group boxes are frames behind them.
class CDlgBase : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kIdOk = 668;
    static constexpr int kIdCancel = 705;
    static constexpr int kStripCount = 10;
    // A dialog built in code: no template is loaded.
    static constexpr quint32 kNoTemplate = 0;
    // The idle message: standard messages travel as QEvent::MaxUser minus their number (CommandEvent).
    static constexpr QEvent::Type kKickIdleEvent = QEvent::Type(QEvent::MaxUser - 0x36A);

    static QColor BackgroundColor() { return QColor(0xC8, 0xD8, 0xED); }

    explicit CDlgBase(quint32 templateId, QWidget* parent = nullptr);
    ~CDlgBase() override;

    // The strip code the dialog makes its strips with; without one set, the button strips of
    // RibBtnStripFactory. Set before the dialog is initialised.
    IStripFactory* StripFactory() const;
    void SetStripFactory(IStripFactory* factory) { m_pStripFactory = factory; }

    quint32 TemplateId() const { return m_templateId; }
    // Why the template did not load; empty when it did.
    QString TemplateError() const { return m_templateError; }

    // Runs OnInitDialog once; showing the dialog does it too.
    void InitDialog();
    // True once OnInitDialog has run.
    bool IsInitialized() const { return m_initialized; }

    // Makes the dialog see the control's events first (OnCtrlMessage) and paint it (OnPaintCtrl).
    bool SubclassCtrl(int id);
    void InvalidateCtrl(int id);
    // Saves the index of the checked radio button of the run that begins with firstId (-1: none), or checks
    // the one at *index.
    bool DDXRadioGroup(bool save, int firstId, int* index);
    // The first strip that has a button with that id; null when none.
    IButtonStrip* FindRibBtnContainer(int id) const;
    IButtonStrip* Strip(int index) const;

    // The controls in keyboard order (ordinary controls and anchored strip buttons).
    QList<QWidget*> NavigationList() const;
    QWidget* GetNextNavCtrl(QWidget* from, bool backwards) const;

    // Lets a strip the dialog made in code (not from a placeholder) join the keyboard order like the
    // placeholder strips: its buttons enter after their anchors and Tab, the arrows and Return treat
    // them as the dialog's own. Not owned; the strip must be a child of the dialog. Rebuilds the
    // keyboard order when the dialog is already prepared.
    void AddStripToRing(IButtonStrip* strip);

    void SetIdleUpdate(bool on) { m_idleUpdate = on; }
    QColor FrameColor1() const { return m_frameColor1; }
    QColor FrameColor2() const { return m_frameColor2; }
    // Sends the dialog its idle message: strips and controls run their command update.
    void KickIdle();

protected:
    virtual bool OnInitDialog();
    virtual bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter);
    virtual bool OnCtrlMessage(QWidget* ctrl, QEvent* event);
    virtual void AdjustButtonColors(QColor* color1, QColor* color2);
    virtual void OnRibBtnContainerCreated(IButtonStrip* strip, int placeholderId);
    virtual void OnRibBtnAdded(IButtonStrip* strip, int buttonId);
    virtual void AdjustRibBtnNavNext(int buttonId, int* anchorId);
    virtual void OnEditCommit(int ctrlId, EditValue& value, int reserved);
    virtual bool OnCommandHook(int id);
    // A command of a control, strip button or menu; true when handled. The base runs OnCommandHook
    // and closes the dialog for 668 and 705.
    virtual bool OnCommand(int id, int notifyCode, QObject* control);
    // Notifications of controls that the base does not handle itself.
    virtual void OnNotify(NotifyEvent& event);
    // Answers the command-update query for a control or strip button (Enable, SetCheck, SetText).
    virtual void OnUpdateCommand(CommandUpdateEvent& query);
    virtual void OnOK();
    virtual void OnCancel();

    // Rebuilds the keyboard order from the controls and the strips' anchored buttons.
    void RebuildNavigation() { BuildNavigation(); }
    // Replaces the keyboard order (a dialog that hosts pages gives the page's controls).
    void SetNavigation(const QList<QWidget*>& ring);
    // Runs the keyboard rules (Tab, the arrows, Return) for a key pressed in `focus`; true when handled.
    bool NavigateKey(QWidget* focus, QKeyEvent* key) { return HandleKey(focus, key); }
    // The strips of the dialog: placeholder strips, then those added with AddStripToRing.
    QList<IButtonStrip*> AllStrips() const;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Return where no strip button is the default: nothing happens unless a dialog says otherwise.
    virtual void OnReturnWithoutDefault() {}

private:
    IStripFactory* m_pStripFactory = nullptr;
    void BuildStrips();
    void BuildNavigation();
    bool HandleKey(QWidget* focus, QKeyEvent* event);
    bool PressDefaultStripButton();
    bool IsOwnStripButton(const QWidget* widget) const;
    IButtonStrip* OwnStripOfWindow(const QObject* window) const;
    void PaintGroupBox(QWidget* box);
    bool PaintCtrl(QWidget* ctrl);
    void FocusNavTarget(QWidget* target, bool fromStrip, Qt::FocusReason reason);
    void RunIdleUpdate();
    void ApplyUpdate(QWidget* control, const CommandUpdateEvent& query);

    quint32 m_templateId;
    QString m_templateError;
    bool m_initialized = false;
    std::array<std::unique_ptr<IButtonStrip>, kStripCount> m_strips;
    bool m_idleUpdate = true;
    QColor m_frameColor1{0xE9, 0xEF, 0xF8};
    QColor m_frameColor2{0x9A, 0xB7, 0xDE};
    QList<IButtonStrip*> m_codeStrips;
    QList<QPointer<QWidget>> m_navigation;
    QList<QPointer<QWidget>> m_groupBoxes;
    QList<QPointer<QWidget>> m_subclassed;
    QTimer* m_idleTimer;
    QObject* m_keyWatcher = nullptr;

    friend class DialogKeyWatcher;
};
