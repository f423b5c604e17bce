// The FSM item editor: name, sizes, mass, remark and picture of a catalogue entry, or in placed mode the
// blocked side, contact kind and cells of an item on a loading plan.
#pragma once

#include "model/files/FsmEditing.h"
#include "ui/CDlgBase.h"
#include "ui/ProgramRun.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>

class CEditLast;

// The caller sets the values, the picture and, for a catalogue entry, the path function before exec();
// after 714 it reads the values back (and the result path of a new, copied or renamed entry). The
// dialog writes no file.
class CDlgFSM : public CDlgBase
{
public:
    static constexpr quint32 kTemplateId = 784;
    static constexpr int kIdSave = 714;
    static constexpr int kBildBreite = 172;
    static constexpr int kBildHoehe = 130;
    static constexpr int kStandardBildId = 868;

    explicit CDlgFSM(QWidget* parent = nullptr);

    FsmEditorWerte m_werte;
    // The item on the screen: the dialog opens beside it (empty: where the window system puts it).
    QRect m_rcAnker;
    // The file an entry of a name is written to; asked for new, copied and renamed entries.
    std::function<std::filesystem::path(const std::string& name)> m_fnItemPfad;
    // Set by a save that needs a new file: the path the caller writes to.
    std::filesystem::path m_ergebnisPfad;

    // The entry's own picture as the caller hands it over (no change); a null image for none.
    void SetBild(const QImage& bild, const QString& pfad);
    const QImage& Bild() const { return m_bild; }
    const QString& BildPfad() const { return m_strBildPfad; }
    bool BildGeaendert() const { return m_bBildGeaendert; }
    const QImage& StandardBild() const { return m_standardBild; }

    // Reads a chosen picture into a new image and takes it only when it loads; a file that does not load
    // keeps the current picture and is reported.
    bool LoadPictureFile(const QString& file);
    void RemovePicture();
    // Puts the found cells and side into the chosen ones (button 1323).
    void TakeCatalogueValues();
    // The checks and the name look-up of button 714; answers whether the dialog may end with 714.
    bool Save();

    // The program run that keeps whether Cancel in placed mode asks first (the user may switch the
    // question off for the run): the one given (it must outlive the dialog), else the dialog's own.
    ProgramRun& GetProgramRun();
    void SetProgramRun(ProgramRun* pRun) { m_pRun = pRun; }

    // The largest size of the picture's aspect inside the box, scaled smoothly.
    static QImage FitPicture(const QImage& picture, QSize box);

    CEditLast* Edit(int id) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    void OnRibBtnAdded(IButtonStrip* strip, int buttonId) override;

public:
    // Cancel and Esc: in placed mode the question first, unless it is switched off.
    void reject() override;

private:
    ProgramRun* m_pRun = nullptr;
    std::unique_ptr<ProgramRun> m_pEigenerLauf;
    FsmEingabe ReadFields();
    void Refuse(FsmFeld feld, int textId);
    QWidget* FieldOf(FsmFeld feld) const;
    void ShowInfo();

    QImage m_bild;
    QImage m_standardBild;
    QString m_strBildPfad;
    bool m_bBildGeaendert = false;
};
