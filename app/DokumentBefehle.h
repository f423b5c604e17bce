// The document commands on the vehicle worked on and the template view shown, without the frame: the
// axles, the side-difference percentage, the vehicle of a combination worked on, the vehicle checks'
// enabling and a new vehicle from the sample of its kind.
#pragma once

#include "app/DocumentServices.h"

#include <QString>

#include <memory>

class CFahrzeug;
class CQOR1Doc;
class CQOR1View;

class DokumentBefehle
{
public:
    // Whether a vehicle check or notice (33070, 33071, 33080, 33081, 33099, 33110) is enabled for a
    // document (or none).
    static bool IstFahrzeugBefehlFrei(const CQOR1Doc* doc, unsigned id);
    // The state of 531 (towing vehicle, `bZugfahrzeug`) and 532 (trailer) for a document (or none).
    static void AktivIndexZustand(const CQOR1Doc* doc, bool bZugfahrzeug, bool* pEnable, int* pCheck);
    // Switches a combination to its other vehicle (nIndex: the one to work on); true when it switched.
    static bool WechsleAktivIndex(CQOR1Doc* doc, int nIndex);

    // The percentage combo's entry (1 to 12) for a percentage, -1 for one without an entry; and the
    // choice of an entry for the vehicle worked on.
    static int ProzentEintrag(int nProzent);
    static void SetzeSeitenProzent(CQOR1Doc* doc, int nEntry);

    // Command 33128 on the vehicle worked on while the template view is shown (`view`: that view when
    // it is one, else null).
    static void FuegeAchseHinzu(CQOR1Doc* doc, bool bVorlageGezeigt, CQOR1View* view);
    // Whether the selected axle of the template view may go, and its removal (after the question).
    static bool KannAchseEntfernen(CQOR1View* view);
    static void EntferneAchse(CQOR1Doc* doc, CQOR1View* view);
    // Commands 33132/33358: the group flag of the template view's selected axle.
    static void SchalteAchsGruppe(CQOR1Doc* doc, CQOR1View* view);

    // A new vehicle: the sample file of the kind chosen (empty for a kind without one), the name it
    // gets, whether it is a motor vehicle, the choice given to the vehicle loaded from the sample, and
    // the vehicle handed to the new document.
    static QString BeispielDatei(const DocumentServices::NeuChoice& choice);
    static QString NeuerName(const DocumentServices::NeuChoice& choice);
    static bool IstMotorfahrzeugArt(int nArt);
    static void RichteNeuesFahrzeugEin(CFahrzeug& f, const DocumentServices::NeuChoice& choice,
                                       const QString& name);
    static void UebernimmNeuesFahrzeug(CQOR1Doc& doc, std::unique_ptr<CFahrzeug> pFahrzeug);
};
