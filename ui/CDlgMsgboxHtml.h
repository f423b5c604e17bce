// The program's message box: an HTML body beside a picture column, an optional check box and up to
// four buttons in a button strip.
#pragma once

#include "ui/CDlgBase.h"

#include <QImage>
#include <QMap>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class CQorBrowser;
class CRibBtnContainer;
class IButtonStrip;

// Used in place of the system's message box. The caller configures the box, runs DoModalIds or
// DoModalTexts and gets the id of the button that closed it (or the nonzero result of a function
// attached to a command); afterwards CheckState() tells whether the check box was ticked.
class CDlgMsgboxHtml : public CDlgBase
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplateId = 686;
    static constexpr int kBrowserId = 1224;
    static constexpr int kCheckBoxId = 1231;
    static constexpr int kStripId = 1232;
    static constexpr int kPictureId = 1261;
    static constexpr int kUnused = -1;
    static constexpr int kBodyHtml = 23;
    static constexpr int kBodyString = 6;
    static constexpr int kIconPng = 1;
    static constexpr int kIconBitmap = 2;

    // A function attached to a command: gets the command id and the value given with it; a nonzero
    // answer closes the box with that answer, zero keeps it open.
    using CmdHandler = std::function<int(int id, quintptr param)>;

    explicit CDlgMsgboxHtml(QWidget* parent = nullptr);
    ~CDlgMsgboxHtml() override;

    // Message and title by string id (or HTML item, see SetBodyType), four buttons as (id, caption
    // string id) pairs; kUnused leaves a pair or the title out.
    int DoModalIds(int msgId, int titleId, int btn1, int cap1, int btn2 = kUnused, int cap2 = kUnused,
                   int btn3 = kUnused, int cap3 = kUnused, int btn4 = kUnused, int cap4 = kUnused);
    // Message, title and captions as texts; a null caption takes the texts of the string with the
    // button's id. The fourth button keeps what an earlier DoModalIds set (none by default).
    int DoModalTexts(const QString& msg, const QString& title, int btn1, const QString& cap1,
                     int btn2 = kUnused, const QString& cap2 = QString(), int btn3 = kUnused,
                     const QString& cap3 = QString());

    // A picture drawn over the picture column: kIconPng or kIconBitmap from the language module;
    // other kinds are ignored.
    void SetIconImage(int id, int kind);
    // The button that asks `question` (Yes/No) before it closes the box; a null caption takes
    // string 425 as the question's title.
    void SetConfirmButton(int buttonId, const QString& question, const QString& caption = QString());
    // Attaches a function to a command id, replacing an earlier one; with `hide` the box is hidden
    // while the function runs.
    void AddCmdHandler(int id, CmdHandler handler, bool hide = false, quintptr param = 0);

    void SetShowCheckBox(bool show) { m_showCheckBox = show; }
    void SetHeaderFooter(bool on) { m_headerFooter = on; }
    void SetDefaultButton(int id) { m_defaultButton = id; }
    void SetBodyType(int type) { m_bodyType = type; }
    void SetFocusId(int id) { m_focusId = id; }
    void SetSideBitmapId(int id) { m_sideBitmapId = id; }
    void SetCommandsEnabled(bool on) { m_commandsEnabled = on; }
    // Whether the check box was ticked when the user last clicked it.
    bool CheckState() const { return m_checkState; }

    CQorBrowser* Browser() const { return m_browser; }
    CRibBtnContainer* ButtonStrip() const;
    // The HTML the body shows (header and footer included).
    QString BodyHtml() const { return m_html; }

    // The picture column as drawn: white, the side picture centred (smoothed and tinted when an icon
    // is set) and the icon centred over it.
    static QImage ComposePictureColumn(QSize size, const QImage& side, const QImage& icon);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    bool OnCommandHook(int id) override;
    void OnNotify(NotifyEvent& event) override;
    void OnOK() override;
    // A box without a default button closes on Return as its OK does.
    void OnReturnWithoutDefault() override { OnOK(); }
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;
    void AdjustRibBtnNavNext(int buttonId, int* anchorId) override;

    // Asks the confirm question; true for Yes. Tests answer it themselves.
    virtual bool AskConfirm(const QString& question, const QString& caption);

private:
    struct Handler
    {
        CmdHandler function;
        bool hide = false;
        quintptr param = 0;
    };

    void OnButtonAdded(int id);
    void SetVisibleKeepingModal(bool visible);
    std::array<int, 4> ButtonIds() const;

    CQorBrowser* m_browser = nullptr;
    std::unique_ptr<IButtonStrip> m_strip;
    // Message, title, then four (button, caption) pairs. With ids: the ids; with texts: m_texts.
    std::array<int, 10> m_args;
    std::array<std::optional<QString>, 10> m_texts;
    bool m_checkState = false;
    bool m_showCheckBox = false;
    bool m_textsMode = false;
    bool m_headerFooter = false;
    bool m_commandsEnabled = true;
    int m_confirmButton = kUnused;
    QString m_confirmQuestion;
    QString m_confirmCaption;
    int m_defaultButton = kUnused;
    int m_bodyType = kBodyHtml;
    QMap<int, Handler> m_handlers;
    int m_focusId = 0;
    int m_sideBitmapId = 710;
    QImage m_sideBitmap;
    QImage m_icon;
    int m_iconKind = 0;
    QString m_html;
};
