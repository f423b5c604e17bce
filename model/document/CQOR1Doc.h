// The document of one open vehicle or combination file: its vehicles, the vehicle worked on, the
// recalculation after every change, saving and the write-back on closing. Window work goes through
// its DocumentHost.
#pragma once

#include "model/document/DokumentMeldung.h"
#include "model/document/VehicleFileAccess.h"
#include "model/securing/ILgspReportDokument.h"

#include <memory>
#include <string>

class ArchiveReader;
class ArchiveWriter;
class CFahrzeug;
class CQOR;
class DocumentHost;
class IDiagrammNetz;

// The vehicle name followed by " [kind]" for kinds 0 to 4, marked " *]" when modified.
std::string FormatFahrzeugTitel(const CFahrzeug* pFahrzeug, bool bModified);

class CQOR1Doc : public ILgspReportDokument
{
public:
    // Results of SaveFahrzeugDateien. kFehler is 0 so that a plain truth test still sees failure.
    enum SaveResult
    {
        kFehler = 0,          // a write failed or the user cancelled; the marks stay set
        kGespeichert = 1,     // written, or there was nothing to write
        kNichtGespeichert = 2 // modified data left unwritten: a name is needed but may not be asked for,
                              // or the caller asked to skip modified vehicles
    };

    static constexpr int kAktivZugfahrzeug = 2;
    static constexpr int kAktivAnhaenger = 1;

    CQOR1Doc(DocumentHost* pHost = nullptr, VehicleFileAccess* pAccess = nullptr);
    // Writes the entry last worked on back into the file, then deletes the vehicles and closes the file.
    ~CQOR1Doc() override;
    CQOR1Doc(const CQOR1Doc&) = delete;
    CQOR1Doc& operator=(const CQOR1Doc&) = delete;

    void SetHost(DocumentHost* p) { m_pHost = p; }
    DocumentHost* GetHost() const { return m_pHost; }
    void SetFileAccess(VehicleFileAccess* p) { m_pAccess = p; }

    // What the opening code fills in: the vehicle (a trailer's partner is its towing vehicle, both
    // owned from now on), the open file with its path and the entry indexes.
    void SetFahrzeug(CFahrzeug* pFahrzeug);
    void SetOpenFile(std::unique_ptr<OpenVehicleFile> pFile, const std::string& path, int nVornIndex,
                     int nAnhaengerIndex);
    // What opening a file (Oeffne) leaves for the window to tell.
    struct OeffnenErgebnis
    {
        bool bEinzelFahrzeug = false;     // the document shows its first vehicle alone
        bool bPartnerNichtLesbar = false; // the partner's entry of the file could not be read
        bool bZLEntfernt = false;         // coupling the partner took equipment off the towing vehicle
    };
    // Opens a vehicle or combination file into this new document: `pFahrzeug` is the file's first
    // entry, read while `pFile` was opened, `nStartWert` the file root's value (LeseStartWert). The
    // document takes both, is brought up to date with its views (the host brings back the tab last
    // shown), makes the trailer the vehicle worked on (asking the views) and, unless `bEinzeln` or the
    // root says so, couples the partner entry of a towing vehicle: `nEintrag` when above 0, the entry
    // last worked on when -1, none when 0.
    OeffnenErgebnis Oeffne(std::unique_ptr<CFahrzeug> pFahrzeug, std::unique_ptr<OpenVehicleFile> pFile,
                           const std::string& path, int nStartWert, int nEintrag, bool bEinzeln);
    // Units of the vehicle's plan saved with their device's tension force and lashing capacity the wrong
    // way round get them back from the device and are calculated again; the plan is then marked
    // changed. Answers whether any unit was put right.
    bool RichteZurrmittelWerte(CFahrzeug* pFahrzeug);
    // The opening step after the file was read: the centre of gravity of the vehicle's and the partner's
    // plan brought up to date, modified flag cleared, the model recalculated and the views updated, then
    // the units' device ratings put right (RichteZurrmittelWerte).
    void OnDocumentOpened();

    // The vehicle object of a first-version vehicle file: loading reads one vehicle of any kind (an
    // unknown class or schema throws ArchiveError and leaves the document as it was); storing writes the
    // document's vehicle.
    void Serialize(ArchiveReader& ar);
    void Serialize(ArchiveWriter& ar) const;

    // Accessors.
    CFahrzeug* GetFahrzeug() const { return m_pFahrzeug; }
    CFahrzeug* GetZugfahrzeug() const;
    CFahrzeug* GetAnhaenger() const override;
    CFahrzeug* GetFirstFahrzeug() const override;
    CFahrzeug* GetAktivFahrzeug(bool bMitLadeflaeche) const;
    int GetAktivIndex() const { return m_nAktivIndex; }
    int GetAktivFahrzeugArt() const;
    int GetEinzelFahrzeugArt() const;
    bool IsSattelKombination() const;
    CQOR* GetAktivPlan() const;
    double GetMaxNutzlast() const;
    float GetGesamtlaenge() const;
    double GetAnhaengerVersatz() const;
    std::string GetTitel(bool bModified) const;
    const std::string& GetPathName() const { return m_strPath; }
    bool IsNew() const { return m_bNeu; }
    int GetVornIndex() const { return m_nVornIndex; }
    int GetAnhaengerIndex() const { return m_nAnhaengerIndex; }
    // The trailer's entry in the document's file after a partner exchange (-1: a new entry when saved).
    void SetAnhaengerIndex(int nIndex) { m_nAnhaengerIndex = nIndex; }

    // The combination. Couples `pAnhaenger` behind the document's vehicle, which becomes its towing
    // vehicle; the document owns both, the trailer is the vehicle worked on and `nEintrag` its entry in
    // the document's file (-1: a new entry when saved). The trailer's plan and lashing devices are
    // brought up to date and the model recalculated. A rigid truck loses its equipment of type 5, which
    // cannot stay on a towing vehicle: *pZLEntfernt tells whether any was removed (the truck is then
    // marked modified). False, and the trailer deleted, without a vehicle or while a trailer is coupled.
    bool KoppleAnhaenger(std::unique_ptr<CFahrzeug> pAnhaenger, int nEintrag, bool* pZLEntfernt = nullptr);
    // Uncouples the trailer and hands it back; the towing vehicle stays alone, under no file name (the
    // file keeps both vehicles), and becomes the vehicle worked on. Null without a trailer.
    std::unique_ptr<CFahrzeug> KoppleAb();

    // The start value kept in the root of a vehicle file: bit 0 opens only the first vehicle, the bits
    // above it name the entry last worked on (the partner coupled when the file is opened; read up to
    // 127).
    struct StartWert
    {
        bool bEinzelFahrzeug = false;
        int nEintrag = 0;
    };
    static StartWert LeseStartWert(int nWert);
    static int SchreibeStartWert(const StartWert& wert);
    // Single-vehicle mode (m_bEinzelFahrzeug), also kept in the first vehicle's header record.
    void SetEinzelFahrzeug(bool bEinzel);

    // The framework's modified flag.
    bool IsModified() const { return m_bModifiedFlag; }
    void SetModifiedFlag(bool b)
    {
        m_bModifiedFlag = b;
        ++m_nStand;
    }
    // Counts the changes the views may hear of: another vehicle, the vehicle worked on, a recalculation,
    // the modified flag, a redraw or update of the views. A picture drawn at one count shows the document
    // as long as the count stays.
    unsigned GetStand() const { return m_nStand; }
    // True when the vehicle (or, except for a semi-trailer tractor, its plan) is marked modified.
    static bool IsFahrzeugModified(const CFahrzeug* p);
    // The Save command is enabled when the front vehicle or the trailer (with their plans) is modified.
    bool IsSaveEnabled() const;

    // View services.
    bool CanLeaveViews(VerlassenGrund eGrund, int nArg, bool* pRefused, std::string* pMessage);
    int NotifyViews(DokumentMeldung eMeldung, int nValue);
    bool RouteCommandToViews(int nCommand, int nArg);
    void RedrawViews();
    void InvalidateLgSicherungView() override;
    void UpdateOtherViews(UpdateHinweis eHinweis);
    // Rebuilds the charts' meshes that the vehicles marked out of date, through the registered builder.
    bool RebuildKurvenMeshes();
    // The builder of the charts' 3D meshes that RebuildKurvenMeshes hands to the vehicles; none by default.
    void SetDiagrammNetz(IDiagrammNetz* pNetz) { m_pDiagrammNetz = pNetz; }
    void UpdateFrameTitle();
    void UpdateModifiedState();
    void SetPathName(const std::string& path);

    // The vehicle worked on.
    bool SetAktivIndex(int nIndex, bool bRedraw, bool bAsk);
    bool SetAktivFahrzeugArt(int nArt, bool bRedraw, bool bAsk);

    // The model-changed step, after every change of the model.
    void OnFahrzeugChanged(bool bUpdateViews);
    // The same step after the loads alone changed (moved, turned, added, removed, another mass): the
    // vehicles' payload curves stay, group loads, centre of gravity, usable range and limits are worked
    // out again. A change of a vehicle (axles, masses, coupling, load area) goes through
    // OnFahrzeugChanged.
    void OnLadungChanged(bool bUpdateViews);

    // Writes the front vehicle and the trailer into the document's file (or a new one, asking for its
    // name). The fourth argument is not read.
    SaveResult SaveFahrzeugDateien(bool bSaveAs, bool bSkipModified, bool bMayAsk, int nUnbenutzt = 0);
    // Keeps `nIndex` in the upper bits of the file root's int field; nothing when the file's folder is
    // not writable.
    void WriteBackLastEntry(int nIndex);

    // Command 892: the print dialog.
    void OnDrucken();

    // Members the views and dialogs share through the document.
    float m_fSkalierung = 0.1f;
    double m_dVersatz = 0.0;
    std::string m_strPartnerText; // handed to the trailer's directory entry when the trailer is written
    int m_bNichtGeoeffnet = 1;    // set until the opening step ran
    // Single-vehicle mode: only the first vehicle of the file was opened (bit 0 of the file's start
    // value, or the opener's choice).
    bool m_bEinzelFahrzeug = false;
    // Print flags the report code sets around printing a view (bit 0: print without the dialog, bit 1:
    // the template view prints two pages), and the flag a cancelled print dialog sets.
    int m_nDruckFlags = 0;
    bool m_bDruckAbgebrochen = false;
    // Reserved words the views may keep with the document; nothing reads them yet.
    int m_nReserveVersatz[2] = {0, 0};
    int m_nReservePartner[3] = {-1, 0, 0};
    int m_nReserveNeu[2] = {0, 0};
    int m_nReservePunkte = -1;
    int m_bReserveFlag = 1;
    int m_nReserveAktiv[3] = {-1, 0, 0};

private:
    // Deletes the partner, then the vehicle.
    void LoescheFahrzeuge();
    // Recalculates both vehicles (keeping their curves when only loads changed) and tells the views.
    void NachRechnung(bool bNurLadung, bool bUpdateViews);

    DocumentHost* m_pHost = nullptr;
    IDiagrammNetz* m_pDiagrammNetz = nullptr;
    unsigned m_nStand = 0;
    VehicleFileAccess* m_pAccess = nullptr;
    CFahrzeug* m_pFahrzeug = nullptr; // owned, with its partner
    int m_nVornIndex = -1;
    int m_nAnhaengerIndex = -1;
    std::string m_strPath;
    std::unique_ptr<OpenVehicleFile> m_pFile;
    bool m_bNeu = true;
    bool m_bModifiedFlag = false;
    int m_nAktivIndex = 0;
};
