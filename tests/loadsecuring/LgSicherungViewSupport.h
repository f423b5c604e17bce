// The load-securing view on a sample vehicle with scripted wizard, dialogs, shell and message boxes.
#pragma once

#include "loadsecuring/CQORLgSicherungView.h"
#include "loadsecuring/ISecuringDialogs.h"
#include "loadsecuring/ISecuringWizard.h"
#include "views/IViewShell.h"

#include "SampleVehicles.h"
#include "ViewTestSupport.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "tests/support/SampleDocument.h"
#include "ui/ProgramRun.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QDir>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A wizard that answers view actions from a table (action number -> answer; a missing one answers the
// default) and records what the view asks and tells it.
class FakeWizard : public ISecuringWizard
{
public:
    explicit FakeWizard(int nMode) : m_nMode(nMode), m_window(std::make_unique<QWidget>()) {}
    QWidget* Window() const override { return m_bReleased ? nullptr : m_window.get(); }
    int QueryViewAction(LgSichgAktion eAktion, const LgSichgWert& wert, QString* pMessage, int nDefault,
                        int* pOut) override
    {
        const int nCode = static_cast<int>(eAktion);
        asked.push_back(nCode);
        askedWerte.push_back(wert);
        if (pOut)
            *pOut = 7;
        const auto it = answers.find(nCode);
        if (it == answers.end())
            return nDefault;
        if (it->second != 0 && pMessage)
            *pMessage = QStringLiteral("refused %1").arg(nCode);
        return it->second;
    }
    int OnViewNotify(LgSichgMeldung eMeldung, const LgSichgWert& wert) override
    {
        notified.push_back({eMeldung, wert});
        return 0;
    }
    bool OnUpdateFrameCmdUI(int nCommand, CCmdUI* /*pCmdUI*/) override { return nCommand == 57602; }
    int GetStartMode() const override { return m_nMode == 1 ? 0 : m_nMode; }
    void Release() override { m_bReleased = true; }

    int m_nMode;
    std::map<int, int> answers;
    std::vector<int> asked;
    std::vector<LgSichgWert> askedWerte;
    std::vector<std::pair<LgSichgMeldung, LgSichgWert>> notified;
    bool m_bReleased = false;

private:
    std::unique_ptr<QWidget> m_window;
};

// Installs a factory of fake wizards; every wizard made is remembered with its mode.
class FakeWizardFactory
{
public:
    FakeWizardFactory()
    {
        ISecuringWizard::SetFactory([this](CQORLgSicherungView&, int nMode) {
            auto w = std::make_unique<FakeWizard>(nMode);
            w->answers = answers;
            modes.push_back(nMode);
            last = w.get();
            return std::unique_ptr<ISecuringWizard>(std::move(w));
        });
    }
    ~FakeWizardFactory() { ISecuringWizard::SetFactory(nullptr); }
    FakeWizardFactory(const FakeWizardFactory&) = delete;
    FakeWizardFactory& operator=(const FakeWizardFactory&) = delete;

    std::map<int, int> answers; // given to every wizard made
    std::vector<int> modes;
    FakeWizard* last = nullptr;
};

// Editors that exist and run a scripted step, and a help window that only counts.
class FakeDialogs : public ISecuringDialogs
{
public:
    explicit FakeDialogs(ProgramRun& run) : m_installation(run, *this) {}
    bool HasEditor(int /*nCommand*/) const override { return bEditors; }
    // The point editor gives back `punkt` (its vehicle and point kept from the view's values).
    bool EditZurrpunkt(QWidget*, ZurrpunktWerte& w) override
    {
        runs.push_back(397);
        gegeben = w;
        CFahrzeug* f = w.pFahrzeug;
        CZurrpunkt* p = w.pPunkt;
        w = punkt;
        w.pFahrzeug = f;
        w.pPunkt = p;
        return bAnnehmen;
    }
    int EditZurrschiene(QWidget*, ZurrschieneWerte& w) override
    {
        runs.push_back(748);
        schieneGegeben = w;
        const int r = schienenAntworten.empty() ? 705 : schienenAntworten.front();
        if (!schienenAntworten.empty())
            schienenAntworten.erase(schienenAntworten.begin());
        w.dAbstand = schiene.dAbstand;
        w.dRaster = schiene.dRaster;
        w.nAnzahl = schiene.nAnzahl;
        return r;
    }
    bool EditZurrmittel(QWidget*, CFahrzeug&) override
    {
        runs.push_back(398);
        return false;
    }
    void ShowHelp(QWidget*, quint32 nHelpId) override { helps.push_back(nHelpId); }

    bool bEditors = true;
    bool bAnnehmen = true;
    ZurrpunktWerte punkt;
    ZurrpunktWerte gegeben;
    ZurrschieneWerte schiene;
    ZurrschieneWerte schieneGegeben;
    std::vector<int> schienenAntworten;
    std::vector<int> runs;
    std::vector<quint32> helps;

private:
    ServiceInstallation<ISecuringDialogs> m_installation;
};

// Records the frame's close box and controls.
class FrameShell : public IViewShell
{
public:
    explicit FrameShell(ProgramRun& run) : m_installation(run, *this) {}
    int GetFrameFlags() const override { return nFlags; }
    void EnableFrameCloseBox(bool b) override { bClose = b; }
    void EnableFrameControl(int nId, bool b) override { controls[nId] = b; }

    int nFlags = 0;
    bool bClose = true;
    std::map<int, bool> controls;

private:
    ServiceInstallation<IViewShell> m_installation;
};

// The fixture: a document on a sample vehicle and the view, 1400 x 700, with the notes before load
// securing already declined.
class LgSichgViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        run.GetAntworten().bSicherungsHinweisAus = true;
        run.GetAntworten().bZurrmittelHinweisAus = true;
    }
    void TearDown() override { view.reset(); }

    void Oeffne(const char* title)
    {
        auto f = LoadSampleVehicle(title);
        ASSERT_TRUE(f);
        doc.SetFahrzeug(f.release());
        doc.OnDocumentOpened();
        view = std::make_unique<CQORLgSicherungView>(&doc);
        view->SetProgramRun(&run);
        view->resize(1400, 700);
    }
    // The semi-trailer behind its tractor.
    void OeffneSattelzug()
    {
        auto a = LoadSampleVehicle("SAH");
        auto z = LoadSampleVehicle("SZM");
        ASSERT_TRUE(a && z);
        CoupleInFront(*a, std::move(z));
        doc.SetFahrzeug(a.release());
        doc.OnDocumentOpened();
        view = std::make_unique<CQORLgSicherungView>(&doc);
        view->SetProgramRun(&run);
        view->resize(1920, 700);
    }

    CFahrzeug& Fahrzeug() { return *view->GetFahrzeug(); }
    CQOR& Plan() { return *view->GetPlan(); }

    tagLGINFO* Last(const char* name, double x, double y, double l, double b, double t, int nTyp = 0)
    {
        auto* p = new tagLGINFO;
        p->m_strName = name;
        p->m_nNummer = static_cast<int>(Plan().GetLgInfos().size()) + 1;
        p->m_nTyp = nTyp;
        p->m_dLaenge = l;
        p->m_dBreite = b;
        p->m_dHoehe = 1.0;
        p->m_dSPLaenge = l / 2;
        p->m_dSPBreite = b / 2;
        p->m_dMasse = t;
        p->m_dSPMasse = t;
        p->m_dPosX = x;
        p->m_dPosY = y;
        Plan().AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        return p;
    }
    // A load unit of the loads, secured or not, with the method given.
    CLadeeinheit* Einheit(std::initializer_list<tagLGINFO*> loads, bool bGesichert, int nVerfahren = 0)
    {
        const int nId = Plan().GetFreeLadeeinheitId();
        auto* le = new CLadeeinheit(nId);
        for (tagLGINFO* p : loads) {
            le->AddLadung(p->m_strName.c_str(), p->m_nNummer, p);
            p->SetLeId(nId);
        }
        le->m_bVorhanden = bGesichert ? 1 : 0;
        le->m_Wizard.m_nVerfahren = nVerfahren;
        le->RebuildLgMap(&Plan());
        le->CalcAbmessungen();
        Plan().InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(le),
                                 static_cast<int>(Plan().GetLadeeinheiten().size()));
        return le;
    }
    // The vehicle's lashing points in list order.
    std::vector<CZurrpunkt*> Punkte()
    {
        return {Fahrzeug().GetZurrpunktListe().begin(), Fahrzeug().GetZurrpunktListe().end()};
    }
    QImage Bild() { return view->RenderPicture(view->size()); }
    // A client point of a picture point (no scrolling in these tests).
    QPoint Client(QPoint pt) { return pt - view->GetScrollPosition(); }

    static void Speichere(const QImage& img, const QString& name)
    {
        const QString dir = QStringLiteral(QOR_TEST_ARTIFACT_DIR "/loadsecuring");
        QDir().mkpath(dir);
        EXPECT_TRUE(img.save(dir + "/" + name)) << name.toStdString();
    }

    EnglishModule module;
    ScriptedMessageBoxService boxes;
    // The run the views of the fixture keep their answers in and take their services from.
    ProgramRun run;
    FrameShell shell{run};
    CQOR1Doc doc;
    std::unique_ptr<CQORLgSicherungView> view;
};

inline bool Gleich(QRgb a, QRgb b)
{
    return (a & 0xFFFFFF) == (b & 0xFFFFFF);
}

inline int Zaehle(const QImage& img, const QRect& rc, const std::function<bool(QRgb)>& pred)
{
    int n = 0;
    const QRect r = rc.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}
