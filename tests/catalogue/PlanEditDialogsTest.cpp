// The views' dialog seam with the real forms: each call fills its form from the view's values and reads
// the form back on OK, leaves them alone on Cancel; the loading-plan view's commands run through it.
#include "catalogue/CDlgAddZLs.h"
#include "catalogue/CDlgBemerkungenFhzg.h"
#include "catalogue/CDlgEditGewicht.h"
#include "catalogue/CDlgLgRename.h"
#include "catalogue/CDlgLgUeberstand.h"
#include "catalogue/CDlgNutzbareLF.h"
#include "catalogue/CDlgZL.h"
#include "catalogue/CPlanEditDialogs.h"
#include "ui/ProgramRun.h"

#include "FormTestSupport.h"

#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "views/CGetAnsView.h"
#include "views/CQOR2View.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

namespace {

class PlanEditDialogsTest : public FormTest
{
protected:
    PlanEditDialogsTest()
    {
        run.Install<IPlanDialogs>(&dialogs);
        // A form is filled by the test's script, then OK (or Cancel) is pressed.
        dialogs.SetAusfuehren([this](QDialog& d) {
            if (auto* base = dynamic_cast<CDlgBase*>(&d))
                base->InitDialog();
            ++geoeffnet;
            if (fuellen)
                fuellen(d);
            if (abbrechen) {
                d.reject();
            } else if (dynamic_cast<CDlgBase*>(&d)) {
                Befehl(&d, CDlgBase::kIdOk);
            } else if (auto* ok = qobject_cast<QAbstractButton*>(ControlId::Find(&d, 1))) {
                ok->click();
            }
            return d.result();
        });
    }
    CPlanEditDialogs dialogs;
    ProgramRun run;
    std::function<void(QDialog&)> fuellen;
    bool abbrechen = false;
    int geoeffnet = 0;
};

TEST_F(PlanEditDialogsTest, EachFormReadsBackOnOkAndLeavesValuesOnCancel)
{
    CGetAnsView view;
    IPlanDialogs& seam = IPlanDialogs::Of(&run);
    ASSERT_EQ(&seam, &dialogs);
    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancel" : "ok");
        abbrechen = cancel;

        IPlanDialogs::ZLValues zl;
        fuellen = [](QDialog& d) {
            auto& dlg = dynamic_cast<CDlgZL&>(d);
            EXPECT_EQ(dlg.GewaehlteArt(), 5);
            Tippe(&dlg, CDlgZL::kIdMasse, QStringLiteral("800"));
            Tippe(&dlg, CDlgZL::kIdAbstand, QStringLiteral("-1200"));
        };
        EXPECT_EQ(seam.EditZL(&view, zl), !cancel);
        EXPECT_EQ(zl.nArt, 5);
        EXPECT_EQ(zl.dMasse, cancel ? 0.0 : 0.8);
        // The distance is what places a kind-5 item on the vehicle; the height stays empty.
        EXPECT_EQ(zl.dLaengen[2], cancel ? 0.0 : -1.2);
        EXPECT_EQ(zl.dHoehe, 0.0);
        EXPECT_EQ(zl.strName, cancel ? std::string() : LoadResString(622));

        double t = 2.0;
        fuellen = [](QDialog& d) {
            auto& dlg = dynamic_cast<CDlgEditGewicht&>(d);
            EXPECT_EQ(dlg.Feld()->text(), QStringLiteral("2000"));
            Tippe(&dlg, CDlgEditGewicht::kIdMasse, QStringLiteral("3500"));
        };
        EXPECT_EQ(seam.EditGewicht(&view, t), !cancel);
        EXPECT_EQ(t, cancel ? 2.0 : 3.5);

        std::string name = "Kiste";
        fuellen = [](QDialog& d) {
            auto& dlg = dynamic_cast<CDlgLgRename&>(d);
            EXPECT_EQ(dlg.Feld()->text(), QStringLiteral("Kiste"));
            dlg.Feld()->setText(QStringLiteral("Palette "));
        };
        EXPECT_EQ(seam.EditName(&view, name), !cancel);
        EXPECT_EQ(name, cancel ? "Kiste" : "Palette");

        double ueber[4] = {0.1, 0.2, 0.3, 0.4};
        int flag = 0;
        fuellen = [](QDialog& d) {
            auto& dlg = dynamic_cast<CDlgLgUeberstand&>(d);
            EXPECT_EQ(dlg.Feld(3)->GetFloat(), 400.0f);
            Tippe(&dlg, CDlgLgUeberstand::kIdErstes, QStringLiteral("3000"));
        };
        EXPECT_EQ(seam.EditUeberstand(&view, ueber, flag), !cancel);
        EXPECT_EQ(ueber[0], cancel ? 0.1 : 2.0);
        EXPECT_EQ(flag, cancel ? 0 : 1);

        IPlanDialogs::NutzbareLFValues lf;
        lf.dLaengen[0] = 0.25;
        lf.nWerte[2] = 3;
        fuellen = [](QDialog& d) {
            auto& dlg = dynamic_cast<CDlgNutzbareLF&>(d);
            EXPECT_FALSE(dlg.Feld(CDlgNutzbareLF::kIdLaengen)->isEnabled());
            EXPECT_EQ(dlg.Feld(CDlgNutzbareLF::kIdRaster + 2)->GetInt(), 3);
            Tippe(&dlg, CDlgNutzbareLF::kIdWerte + 2, QStringLiteral("600"));
        };
        EXPECT_EQ(seam.EditNutzbareLF(&view, lf, true), !cancel);
        EXPECT_EQ(lf.dLaengen[0], 0.25);
        EXPECT_EQ(lf.nWerte[3], cancel ? 0 : 3);
        EXPECT_FLOAT_EQ(lf.fWerte[3], cancel ? 0.0f : 0.6f);

        IPlanDialogs::AddZLValues add;
        add.nFlag1 = 1;
        add.nFlag2 = 0;
        fuellen = [](QDialog& d) { dynamic_cast<CDlgAddZLs&>(d).Klick(1036); };
        EXPECT_EQ(seam.EditAddZL(&view, add), !cancel);
        EXPECT_EQ(add.nFlag1, 1);
        EXPECT_EQ(add.nFlag2, cancel ? 0 : 1);

        std::string text = "alt";
        bool changed = false;
        fuellen = [](QDialog& d) {
            auto& dlg = dynamic_cast<CDlgBemerkungenFhzg&>(d);
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Remarks on LKW"));
            dlg.Feld()->setPlainText(QStringLiteral("neu"));
        };
        EXPECT_EQ(seam.EditBemerkungen(&view, "Remarks on LKW", text, changed), !cancel);
        EXPECT_EQ(text, cancel ? "alt" : "neu");
        EXPECT_EQ(changed, !cancel);
    }
    EXPECT_EQ(geoeffnet, 14);
}

TEST_F(PlanEditDialogsTest, AllZeroOverhangAskedForStaysRefused)
{
    CGetAnsView view;
    double ueber[4] = {0.0, 0.0, 0.0, 0.0};
    int flag = 1;
    fuellen = nullptr;
    EXPECT_FALSE(IPlanDialogs::Of(&run).EditUeberstand(&view, ueber, flag));
    ASSERT_EQ(boxes.Records().size(), 1);
    EXPECT_EQ(boxes.Records().back().caption, ResText(88));
    EXPECT_EQ(flag, 1);
}

TEST_F(PlanEditDialogsTest, PlanViewRenamesAndWeighsThroughTheForms)
{
    auto f = Beispiel(QStringLiteral("LKW"));
    ASSERT_TRUE(f && f->GetQor());
    CQOR1Doc doc;
    doc.SetFahrzeug(f.release());
    doc.OnDocumentOpened();
    CQOR2View view(&doc);
    view.SetProgramRun(&run);
    view.resize(1400, 700);
    CQOR& plan = *doc.GetFahrzeug()->GetQor();
    std::vector<tagLGINFO*> lasten;
    for (double x : {1.0, 3.0}) {
        auto* p = new tagLGINFO;
        p->m_strName = "Box";
        p->m_dLaenge = 1.0;
        p->m_dBreite = 0.8;
        p->m_dHoehe = 1.0;
        p->m_dMasse = p->m_dSPMasse = 0.5;
        p->m_dPosX = x;
        p->m_dPosY = 0.5;
        plan.AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
        p->m_bSelected = 1;
        lasten.push_back(p);
    }
    // Several loads chosen: the mass form sets each of them.
    fuellen = [](QDialog& d) { Tippe(&d, CDlgEditGewicht::kIdMasse, QStringLiteral("1750")); };
    EXPECT_TRUE(view.OnBefehl(33010));
    EXPECT_EQ(geoeffnet, 1);
    for (tagLGINFO* p : lasten)
        EXPECT_DOUBLE_EQ(p->m_dMasse, 1.75);

    fuellen = [](QDialog& d) { dynamic_cast<CDlgLgRename&>(d).Feld()->setText(QStringLiteral("Kiste")); };
    EXPECT_TRUE(view.OnBefehl(33281));
    EXPECT_EQ(geoeffnet, 2);
    for (tagLGINFO* p : lasten)
        EXPECT_EQ(p->m_strName, "Kiste");
}

} // namespace
