// What the dialog base needs of the button-strip code as a whole: making strips and the process-wide passes.
#pragma once

#include <QList>
#include <QString>

#include <memory>

class IButtonStrip;
class QWidget;

class IStripFactory
{
public:
    virtual ~IStripFactory() = default;

    // Makes a strip with its three flags (auto width, icon beside text, title band) as a child of
    // `parent` at (0, 0); a null title means no title. Null when the strip cannot be made.
    virtual std::unique_ptr<IButtonStrip> Create(bool autoWidth, bool iconBesideText, bool titleBand,
                                                 QWidget* parent, const QString& title) = 0;

    // The strip that the widget is a button of, or null.
    virtual IButtonStrip* StripOfButton(const QWidget* widget) const = 0;

    // The first button marked as default over the strips whose parent is `parent`: its command id,
    // and its strip through `strip`; -1 and null when there is none.
    virtual int DefaultButton(const QWidget* parent, IButtonStrip** strip) const = 0;

    // Runs the command-update handlers of every button of every strip of the process.
    virtual void UpdateAllStrips() = 0;

    // Inserts the anchored buttons into a dialog's keyboard order: each after the control whose
    // control id is its anchor (or after the anchored button it names), see the strip code.
    virtual void MergeNavigation(const QList<QWidget*>& anchoredButtons,
                                 QList<QWidget*>& navigation) const = 0;
};
