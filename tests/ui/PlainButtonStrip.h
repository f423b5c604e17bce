// The plain stand-in of a button strip for tests: a row of push buttons.
#pragma once

#include "ui/IButtonStrip.h"

#include <QHash>
#include <QPointer>
#include <QString>

class QFrame;
class QPushButton;

class PlainButtonStrip : public IButtonStrip
{
public:
    static constexpr int kHeight = 46;

    PlainButtonStrip(bool autoWidth, bool iconBesideText, bool titleBand, QWidget* parent,
                     const QString& title);
    ~PlainButtonStrip() override;

    QWidget* Window() override;
    bool AddButton(int id, QObject* notify, const QString& caption) override;
    int AddSeparator(int id = -1) override;
    bool HasButton(int id) const override;
    QWidget* ButtonWindow(int id) const override;
    QList<int> ButtonIds() const override;
    void SetButtonRadioGroup(int id, int anchorId) override;
    int GetButtonRadioGroup(int id) const override;
    void SetButtonSize(int id, int cx, int cy) override;
    void SetButtonToolTipMode(int id, int mode) override;
    void SetWindowPosAndShape(int x, int y, int width) override;

    // What the stand-in remembers, for tests and the default-button search.
    bool AutoWidth() const { return m_flags[0]; }
    bool IconBesideText() const { return m_flags[1]; }
    bool TitleBand() const { return m_flags[2]; }
    QString Title() const { return m_title; }
    // Entries in order: a button's command id, or -1 for each separator.
    QList<int> Entries() const { return m_entries; }
    QString Caption(int id) const;
    int ToolTipMode(int id) const { return m_toolTipModes.value(id, 1); }
    void SetDefaultButton(int id) { m_default = id; }
    int DefaultButtonId() const { return m_default; }
    QObject* Notify(int id) const { return m_notify.value(id); }

private:
    void Relayout();

    QPointer<QFrame> m_frame;
    bool m_flags[3];
    QString m_title;
    QList<int> m_entries;
    QHash<int, QPushButton*> m_buttons;
    QHash<int, QPointer<QObject>> m_notify;
    QHash<int, int> m_anchors;
    QHash<int, int> m_toolTipModes;
    int m_lastSeparator = 0;
    int m_default = -1;
};
