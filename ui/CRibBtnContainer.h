// A button strip: a rounded panel of large image buttons addressed by command id, with its layout,
// hover fade, painting, the process-wide registry of strips and the command-update pass.
#pragma once

#include "ui/CRibBtn.h"
#include "ui/FadeChannel.h"

#include <QBasicTimer>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class CRibBtnContainer : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMinWidth = 48;
    static constexpr int kMargin = 3;
    static constexpr int kButtonTop = 2;
    static constexpr int kTitleBand = 15;
    static constexpr int kBackgroundBase = 3500; // + 3 x layout mode: normal, hover, separator
    static constexpr int kHoverFadeMs = 400;
    static constexpr quint16 kAppend = 0xFFFE;
    static constexpr quint16 kEnd = 0xFFFF;
    static constexpr quint32 kSeparatorBit = 0x80000000u;
    static constexpr int kLeaveCheckMs = 100;

    // Flag 1: the strip sizes its width to its entries; flag 2: icons beside the captions;
    // flag 3: a title band at the bottom.
    CRibBtnContainer(bool autoWidth, bool iconBesideText, bool titleBand);
    ~CRibBtnContainer() override;

    // The strip height of a layout mode (0-3) and the layout mode of a flag combination.
    static int HeightOfMode(int mode);
    static int LayoutModeOf(bool iconBesideText, bool titleBand);

    // Makes the strip a child of `parent` at (x, y); no title takes the string with the strip's id.
    bool Create(quint32 id, QWidget* parent, int x, int y, int width,
                const std::optional<QString>& title = std::nullopt);
    bool HasWindow() const { return m_created; }
    quint32 Id() const { return m_id; }
    void SetWindowPosAndShape(int x, int y, int width = 0);
    void SetTitle(const QString& title);
    QString Title() const { return m_title; }
    // which 2: normal background, 1: hover background. A bitmap id of 0 removes the picture.
    void SetBackgroundBitmap(int which, quint32 bitmapId);
    // which 2: normal colour, 1: hover colour; `colorref` as 0x00BBGGRR.
    void SetBackgroundBitmapColor(int which, quint32 colorref);

    bool AddButton(quint32 id, QObject* notify, const std::optional<QString>& caption = std::nullopt);
    bool AddButtonEx(quint32 id, QObject* notify, int alignment, int gap,
                     const std::optional<QString>& caption = std::nullopt);
    bool InsertButton(quint16* pos, quint32 id, QObject* notify,
                      const std::optional<QString>& caption = std::nullopt);
    int AddSeparator(int id = -1);
    int InsertSeparator(quint16* pos, int alignment, int gap, int id = -1);

    void EnableButton(quint32 id, bool enable);
    int IsButtonEnabled(quint32 id) const;
    void ShowButton(quint32 id, bool show);
    void SetButtonText(quint32 id, const QString& caption);
    void SetButtonIcon(quint32 id, quint32 iconId);
    void SetButtonResource(quint32 id, quint32 resId);
    void SetButtonToolTip(quint32 id, quint32 resId);
    void SetButtonToolTipMode(quint32 id, int mode);
    void SetButtonCheckMode(quint32 id, int mode);
    void SetButtonRadioGroup(quint32 id, int anchorId);
    int GetButtonRadioGroup(quint32 id) const;
    void SetButtonValue(quint32 id, int value);
    int GetButtonValue(quint32 id) const;
    void SetButtonSize(quint32 id, int cx, int cy);
    void SetButtonFocus(quint32 id);
    void SetDefaultButton(quint32 id, QWidget* parent);
    // The first default button over the strips whose parent is `parent`: its id and strip; -1 and null.
    static int GetDefaultButton(QWidget* parent, CRibBtnContainer** strip);
    bool HasButton(quint32 id) const;
    CRibBtn* FindButton(quint32 id, quint16* index = nullptr) const;

    // Walking the entries: index 0xFFFF ends; id has bit 31 set for a separator.
    struct EntryIterator
    {
        quint16 index = kEnd;
        quint32 id = 0;
    };
    bool GetFirstEntry(EntryIterator& it) const;
    bool GetNextEntry(EntryIterator& it) const;
    int EntryCount() const { return static_cast<int>(m_entries.size()); }
    const RibEntryRecord& EntryRecord(int index) const { return *m_entries[index].record; }
    CRibBtn* EntryButton(int index) const { return m_entries[index].button; }

    // Inserts the anchored buttons into a keyboard navigation list next to the control their anchor
    // names.
    static void MergeNavigation(const QList<CRibBtn*>& buttons, QList<QWidget*>& navigation);
    // The control id of a widget: a strip button's command id, else the id in its object name; -1
    // when it has none.
    static int ControlIdOf(const QWidget* widget);

    // Runs the command-update query of every button through the notify window.
    void UpdateCmdUI();
    static void UpdateAllStrips();
    void SetUpdateEnabled(bool on) { m_updateEnabled = on; }
    // The window the command-update queries go to; the parent given to Create until set.
    void SetNotifyWindow(QWidget* window) { m_notify = window; }
    // Set: the command update leaves a focused button enabled (the property sheet sets it around its
    // forced update).
    void SetUpdateFlag(int flag) { m_updateFlag = flag; }
    static QList<CRibBtnContainer*> Strips();

    void RecalcLayout();

    // The mouse protocol; points in strip coordinates; `source` is the strip or one of its buttons.
    void OnMouseMove(QPoint point, QWidget* source);
    void OnMouseDown(QPoint point, QWidget* source);
    void OnMouseUp(QPoint point, QWidget* source);
    // The leave check of the 100 ms timer: leaves when the cursor is over none of the strip's windows.
    void CheckMouseLeft();
    // One step of the hover fade (the 1 ms timer calls it).
    void StepFades();

    // The tool tip of a button as rich text; empty when it shows none.
    QString ToolTipFor(const CRibBtn* button) const;

    int LayoutMode() const { return m_layoutMode; }
    bool AutoWidth() const { return m_autoWidth; }
    bool IconBesideText() const { return m_iconBeside; }
    bool HasTitleBand() const { return m_titleBand; }
    const FadeChannel& HoverFade() const { return m_hoverFade; }
    bool FadeRunning() const { return m_fadeTimer.isActive(); }
    bool LeaveTimerRunning() const { return m_leaveTimer.isActive(); }
    bool MouseInside() const { return m_mouseInside; }
    CRibBtn* HotButton() const { return m_hot; }
    CRibBtn* PressedButton() const { return m_pressed; }
    const QList<int>& SeparatorPositions() const { return m_separatorPositions; }
    QPoint LastMousePoint() const { return m_lastPoint; }

    // The composed strip background at the strip's size; buttons copy theirs from it.
    const QImage& BackgroundCache();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    struct Entry
    {
        RibEntryRecord* record = nullptr;
        CRibBtn* button = nullptr;
        std::unique_ptr<RibEntryRecord> separator;
    };

    int IndexOf(quint32 id) const;
    bool MakeButton(quint16* pos, quint32 id, QObject* notify, const std::optional<QString>& caption,
                    int alignment, int gap);
    bool InsertEntry(quint16* pos, Entry entry);
    void SetShape();
    void SetHoverTarget(int value);
    void SetHotButton(CRibBtn* button);
    void Leave();
    CRibBtn* PlacedButtonAt(QPoint point) const;
    CRibBtn* ButtonAt(QPoint point) const;
    void RefreshLooks();
    bool ComposeBackground();
    static void DrawNineGrid(QPainter& painter, const QImage& image, const QRect& target, int alpha);

    quint32 m_id = 0;
    QList<int> m_separatorPositions;
    bool m_mouseInside = false;
    QImage m_normalImage;
    QImage m_hoverImage;
    QImage m_separatorImage;
    FadeChannel m_hoverFade;
    // The hover fade step at which this strip last had its buttons repaint their backgrounds.
    int m_lastInvalidatedFade = -1;
    float m_fadeInRate = 100.0f / kHoverFadeMs;
    float m_fadeOutRate = 100.0f / kHoverFadeMs;
    QBasicTimer m_fadeTimer;
    QBasicTimer m_leaveTimer;
    bool m_mouseDown = false;
    std::vector<Entry> m_entries;
    QPointer<CRibBtn> m_hot;
    QImage m_cache;
    QImage m_hoverColourCache;
    QPointer<CRibBtn> m_pressed;
    QFont m_font;
    QString m_title;
    bool m_releaseInside = false;
    QPointer<QWidget> m_notify;
    bool m_updateEnabled = true;
    bool m_autoWidth;
    bool m_iconBeside;
    bool m_titleBand;
    int m_layoutMode;
    quint32 m_normalColour = 0; // 0x00RRGGBB, 0 = none
    quint32 m_hoverColour = 0;
    int m_updateFlag = 0;
    bool m_created = false;
    QPoint m_lastPoint{-1, -1};
};

// The control id of the control before `widget` in its parent's order; for a run of radio buttons
// that ends there, the id of the run's first. -1 without a previous sibling.
int GetRadioGroupStartId(const QWidget* widget);
