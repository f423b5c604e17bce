// The coefficients page of the load-securing wizard: the securing standard and its coefficients, with
// the user's own set kept in a file.
#pragma once

#include "loadsecuring/CPgLgSichgBase2.h"
#include "model/securing/SNormParams.h"

#include <QString>

class CPgLgSichgPage4 : public CPgLgSichgBase2
{
    Q_OBJECT
public:
    static constexpr quint32 kTemplate = 640;
    static constexpr quint32 kTitle = 445;
    static constexpr quint32 kHeaderBitmap = 717;
    static constexpr quint32 kHint = 713;
    static constexpr int kIdSave = 714;
    static constexpr int kIdBild = 1299;
    // The coefficient fields c0..c9 and the standard's radios 0, 1, 2.
    static constexpr int kFelder[SNormParams::kAnzahl] = {1264, 1059, 1060, 1107, 1066,
                                                          1061, 1108, 1062, 1063, 1064};
    static constexpr int kRadios[3] = {1262, 1263, 1191};

    explicit CPgLgSichgPage4(CPshLgSichgWizard* pWizard);

    void GetHeaderBitmapId(quint32* pId) override;
    int BuildHintHtml(std::intptr_t nArg, QString* pHtml) override;
    void OnFirstEnter(int nVisits) override;
    void OnFirstActivate() override;
    bool OnSetActive() override;
    bool OnKillActive() override;

    // The user's set for the program run (the first built-in set until one is loaded), whether it was
    // typed since, the built-in first set's c5 as edited, and where the user's set is kept (the
    // per-user data folder unless the run names another): all kept in the page's program run.
    SNormParams& EigenerSatz();
    bool& EigenerSatzGeaendert();
    float& Norm0C5();
    QString& DateiPfad();
    // The language whose standards the pages of `run` offer: the run's code when set, else the running
    // module's; and whether that language offers the first standard.
    static QString SprachCode(const ProgramRun& run);
    static bool MitNorm0(const ProgramRun& run);

    // Switches the standard (the radios' command): leaving the user's set keeps what was typed.
    void WechsleNorm(int nNorm);
    // Saves the user's set (the page's 714); false, with a message, when the file was not written.
    bool SpeichereEigenenSatz();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, QObject* control) override;
    void OnEditCommit(int ctrlId, EditValue& value, int reserved) override;
    void OnUpdateCommand(CommandUpdateEvent& query) override;
    bool OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter) override;
    void OnRibBtnAdded(IButtonStrip* strip, int buttonId) override;

private:
    // The built-in set of a standard (the user's set for 2), with the edited c5 for the first.
    SNormParams SatzVon(int nNorm);
    bool MitNorm0() { return MitNorm0(GetProgramRun()); }
    void FelderAusSatz(const SNormParams& set);
    void FelderInSatz(SNormParams* pSet) const;
    int Norm() const;
};
