// The dialogs the load-securing view opens: the editors of the vehicle's lashing equipment and the help.
#pragma once

#include <QtGlobal>

class CQORLgSicherungView;
class QWidget;

// Editors not built yet answer "not there": their commands stay disabled and running one cancels.
class ISecuringDialogs
{
public:
    virtual ~ISecuringDialogs() = default;

    // Whether the editor behind a command exists: 397 lashing points, 748 lashing rails, 398 lashing
    // devices, 33290 a new lashing point at the right-click, 33295 the selected lashing point, 33296 and
    // 33307 deleting lashing points.
    virtual bool HasEditor(int /*nCommand*/) const { return false; }
    // Runs the editor of a command on the view's vehicle; its end code, 705 when cancelled or missing.
    virtual int RunEditor(int /*nCommand*/, CQORLgSicherungView& /*view*/) { return 705; }
    // The modal help window titled with text 634 showing help text `nHelpId`.
    virtual void ShowHelp(QWidget* pParent, quint32 nHelpId);

    // The dialogs in use: the ones set at start-up, else these defaults.
    static ISecuringDialogs& Current();
    static void SetCurrent(ISecuringDialogs* pDialogs);
};
