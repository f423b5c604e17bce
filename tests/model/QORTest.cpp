// The loading plan: numbering, load units, selections, mass and centre of gravity.
#include "FahrzeugTestSupport.h"

#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

tagLGINFO* Neu(const char* name, int nTyp = 0)
{
    auto* p = new tagLGINFO;
    p->m_strName = name;
    p->m_nTyp = nTyp;
    return p;
}

std::vector<int> Nummern(const CQOR& q)
{
    std::vector<int> v;
    for (const tagLGINFO* p : q.GetLgInfos())
        v.push_back(p->m_nNummer);
    return v;
}

std::vector<std::string> Namen(const CQOR& q)
{
    std::vector<std::string> v;
    for (const tagLGINFO* p : q.GetLgInfos())
        v.push_back(p->m_strName);
    return v;
}

class QORTest : public ::testing::Test
{
protected:
    CFahrzeug m_fahrzeug;
    CQOR* m_q = new CQOR(&m_fahrzeug, 0, "Plan");

    QORTest() { m_fahrzeug.m_pQor = m_q; }
};

} // namespace

TEST_F(QORTest, DefaultsOfANewPlan)
{
    EXPECT_EQ(m_q->GetFahrzeug(), &m_fahrzeug);
    EXPECT_EQ(m_q->m_strName, "Plan");
    EXPECT_EQ(m_q->m_nAnzahl, 4u);
    EXPECT_FLOAT_EQ(m_fahrzeug.GetQorAnzahl(), 4.0f);
    EXPECT_DOUBLE_EQ(m_q->GetSchwerpunktX(), -1.0);
    EXPECT_DOUBLE_EQ(m_q->GetMasse(), 0.0);
    EXPECT_DOUBLE_EQ(m_q->m_AnzeigeA.dWert1, 0.4);
    EXPECT_DOUBLE_EQ(m_q->m_AnzeigeB.dWert1, 1.2);
    EXPECT_DOUBLE_EQ(m_q->m_AnzeigeB.dWert2, 0.8);
    EXPECT_EQ(m_q->m_AnzeigeB.bFlags2[2], 1);
    EXPECT_EQ(m_q->m_AnzeigeA.bFlags2[2], 0);
    EXPECT_DOUBLE_EQ(m_q->m_dAnzeigeB, 0.5);
}

TEST_F(QORTest, RunningNumbersPerNameAndAcrossFsmItems)
{
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(Neu("A")), false);
    EXPECT_EQ(Nummern(*m_q), (std::vector<int>{0}));
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(Neu("B")), false);
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(Neu("A")), false);
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(Neu("Air bag", 5)), false);
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(Neu("A")), false);
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(Neu("Edge", 8)), false);
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(Neu("Air bag", 5)), false);
    EXPECT_PLAN_INVARIANTEN(*m_q);
    // Equal names stay together, in the order they came.
    EXPECT_EQ(Namen(*m_q), (std::vector<std::string>{"A", "A", "A", "B", "Air bag", "Air bag", "Edge"}));
    EXPECT_EQ(Nummern(*m_q), (std::vector<int>{1, 2, 3, 0, 1, 3, 2}));
    EXPECT_EQ(m_q->GetMaxFsmNummer(), 3);
    int n = 0;
    EXPECT_EQ(m_q->GetMaxNummer("A", &n), 3);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(m_q->GetMaxNummer("C", &n), -1);
    EXPECT_EQ(n, 0);

    EXPECT_EQ(m_q->FindLgInfoByName("A", 2)->m_nNummer, 2);
    EXPECT_EQ(m_q->FindLgInfoByName("A", 4), nullptr);
    EXPECT_EQ(m_q->FindFsmByNummer(2)->m_strName, "Edge");
    // No match is no load, not the last one of the list.
    EXPECT_EQ(m_q->FindFsmByNummer(9), nullptr);
    EXPECT_EQ(m_q->FindFsmByNummer(0), nullptr);
}

TEST_F(QORTest, NumberingEqualNames)
{
    for (const char* s : {"X", "Y", "X", "Z", "X"})
        m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(Neu(s)), false);
    for (tagLGINFO* p : m_q->GetLgInfos())
        p->m_nNummer = 7;
    m_q->NumberEqualNames(true);
    EXPECT_EQ(Nummern(*m_q), (std::vector<int>{7, 7, 7, 0, 0}));
    m_q->NumberEqualNames(false);
    EXPECT_PLAN_INVARIANTEN(*m_q);
    EXPECT_EQ(Namen(*m_q), (std::vector<std::string>{"X", "X", "X", "Y", "Z"}));
    EXPECT_EQ(Nummern(*m_q), (std::vector<int>{1, 2, 3, 0, 0}));
    m_q->RenumberLgInfo("X", 0);
    EXPECT_EQ(Nummern(*m_q), (std::vector<int>{0, 2, 3, 0, 0}));
}

TEST_F(QORTest, CurrentLoadAndRemoval)
{
    tagLGINFO* a = Neu("A");
    tagLGINFO* b = Neu("B");
    EXPECT_EQ(m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(a), true), nullptr);
    EXPECT_EQ(m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(b), true), a);
    EXPECT_EQ(m_q->GetAktuell(), b);
    std::unique_ptr<tagLGINFO> zurueck = m_q->RemoveLgInfo(b);
    EXPECT_EQ(zurueck.get(), b); // handed back, not deleted
    EXPECT_EQ(m_q->GetAktuell(), nullptr);
    EXPECT_EQ(m_q->RemoveLgInfo(b), nullptr);
    EXPECT_EQ(m_q->GetLgInfos().size(), 1u);
    // Handed back, it can go into the plan again, after its namesakes.
    EXPECT_EQ(m_q->InsertLgInfoNachName(std::move(zurueck)), b);
    EXPECT_EQ(m_q->GetLgInfos().back(), b);
}

TEST_F(QORTest, LoadUnits)
{
    EXPECT_EQ(m_q->InsertLadeeinheit(std::make_unique<CLadeeinheit>(2), 0)->GetId(), 2);
    m_q->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(new CLadeeinheit(4)), 1); // at the tail
    m_q->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(new CLadeeinheit(1)), 0); // at the head
    m_q->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(new CLadeeinheit(7)), 2); // before the third
    std::vector<int> ids;
    for (const CLadeeinheit* p : m_q->GetLadeeinheiten())
        ids.push_back(p->GetId());
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 7, 4}));
    EXPECT_EQ(m_q->FindLadeeinheit(0), nullptr);
    EXPECT_EQ(m_q->FindLadeeinheit(7)->GetId(), 7);
    EXPECT_EQ(m_q->GetFreeLadeeinheitId(), 3);

    int nIndex = -1;
    EXPECT_EQ(m_q->RemoveAktiveLadeeinheit(&nIndex), nullptr);
    m_q->m_nAktiveLadeeinheit = 7;
    EXPECT_EQ(m_q->GetAktiveLadeeinheit()->GetId(), 7);
    std::unique_ptr<CLadeeinheit> weg = m_q->RemoveAktiveLadeeinheit(&nIndex);
    ASSERT_TRUE(weg);
    EXPECT_EQ(nIndex, 2);
    EXPECT_EQ(m_q->RemoveAktiveLadeeinheit(&nIndex), nullptr);

    for (int i = 1; i <= 63; ++i)
        if (!m_q->FindLadeeinheit(i))
            m_q->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(new CLadeeinheit(i)), 99);
    EXPECT_EQ(m_q->GetFreeLadeeinheitId(), 0);
}

TEST_F(QORTest, SelectionsAndAssignments)
{
    tagLGINFO* frei = Neu("A");
    tagLGINFO* zugeordnet = Neu("B");
    tagLGINFO* fsm = Neu("Air bag", 5);
    tagLGINFO* verwaist = Neu("C");
    for (tagLGINFO* p : {frei, zugeordnet, fsm, verwaist})
        m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
    EXPECT_PLAN_INVARIANTEN(*m_q);
    auto* le = new CLadeeinheit(3);
    le->m_bVorhanden = 1;
    m_q->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(le), 0);
    zugeordnet->SetLeId(3);
    fsm->SetLeId(3);
    verwaist->SetLeId(5); // its unit no longer exists
    frei->m_nState |= 1;

    EXPECT_EQ(m_q->CountFreeLgInfo(true), 1);
    EXPECT_EQ(m_q->CountMarkedLgInfo(), 1);
    EXPECT_EQ(m_q->GetFirstSelectedLgInfo(), nullptr);
    EXPECT_EQ(m_q->SelectAllFsm(1), 1);
    EXPECT_EQ(m_q->CountSelectedFsm(true), 1);
    EXPECT_TRUE(m_q->HasSelectedAssignedLgInfo());

    // Only loads whose unit exists and is flagged; the orphan is skipped, not dereferenced.
    EXPECT_EQ(m_q->SelectAssignedLgInfo(1, true), 2);
    EXPECT_FALSE(verwaist->m_bSelected);
    EXPECT_EQ(m_q->SelectAssignedLgInfo(1, false), 3);
    EXPECT_TRUE(verwaist->m_bSelected);
    EXPECT_EQ(m_q->CountSelectedLgInfo(true), 3);
    EXPECT_EQ(m_q->CountSelectedLgInfo(false), 1);
    EXPECT_EQ(m_q->GetFirstSelectedLgInfo(), zugeordnet);

    m_q->StoreSelection(false);
    EXPECT_EQ(fsm->m_bSavedSelected, 1);
    EXPECT_EQ(frei->m_bSavedSelected, 0);
    m_q->StoreSelection(true);
    EXPECT_EQ(fsm->m_bSavedSelected, 0);

    m_q->ReleaseFsm(3);
    EXPECT_EQ(fsm->GetLeId(), 0);
    EXPECT_EQ(zugeordnet->GetLeId(), 3); // only FSM items are released
    EXPECT_EQ(m_q->SelectAllFsm(0), 1);
    EXPECT_FALSE(fsm->m_bSelected);
}

TEST_F(QORTest, CentreOfGravityByRotation)
{
    struct Fall
    {
        int nDrehung;
        double x, y;
    };
    // Load 2 x 1 m at (1, 2), centre 0.5 along its length and 0.25 along its width, 0.7 high.
    const Fall faelle[] = {
        {0, 1.5, 2.75}, {90, 1.25, 2.5}, {180, 2.5, 2.25}, {270, 1.75, 3.5}, {45, 1.5, 2.75}};
    tagLGINFO* p = Neu("A");
    p->m_dLaenge = 2.0;
    p->m_dBreite = 1.0;
    p->m_dSPLaenge = 0.5;
    p->m_dSPBreite = 0.25;
    p->m_dSPHoehe = 0.7;
    p->m_dPosX = 1.0;
    p->m_dPosY = 2.0;
    p->m_dSPMasse = 3.0;
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nDrehung);
        p->m_nDrehung = f.nDrehung;
        double m = 0, x = 0, y = 0, z = 0;
        m_q->CalcSchwerpunkt(&m, &x, &y, &z);
        EXPECT_DOUBLE_EQ(m, 3.0);
        EXPECT_DOUBLE_EQ(x, f.x);
        EXPECT_DOUBLE_EQ(y, f.y);
        EXPECT_DOUBLE_EQ(z, 0.7);
    }
    // A second load weighs in by its mass.
    tagLGINFO* q = Neu("B");
    q->m_dPosX = 5.0;
    q->m_dSPMasse = 1.0;
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(q), false);
    p->m_nDrehung = 0;
    EXPECT_NE(m_q->UpdateSchwerpunkt(), 0);
    EXPECT_DOUBLE_EQ(m_q->GetMasse(), 4.0);
    EXPECT_DOUBLE_EQ(m_q->GetSchwerpunktX(), (3.0 * 1.5 + 5.0) / 4.0);
    EXPECT_DOUBLE_EQ(m_q->GetSchwerpunktZ(), 3.0 * 0.7 / 4.0);
}

TEST_F(QORTest, ChangeFlagsOfTheCentreOfGravity)
{
    double m = -1, x = -1, y = -1, z = -1;
    EXPECT_EQ(m_q->CalcSchwerpunkt(&m, &x, &y, &z), 0);
    EXPECT_EQ(m, 0.0);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(z, 0.0);

    tagLGINFO* p = Neu("A");
    p->m_dSPMasse = 2.0;
    p->m_dPosX = 1.0;
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
    EXPECT_EQ(m_q->UpdateSchwerpunkt(), 8 | 48);
    EXPECT_EQ(m_q->UpdateSchwerpunkt(), 0);
    p->m_dPosX = 2.0;
    EXPECT_EQ(m_q->UpdateSchwerpunkt(), 8 | 32);
    p->m_dSPHoehe = 1.0; // height alone raises no flag
    EXPECT_EQ(m_q->UpdateSchwerpunkt(), 0);
    p->m_dSPMasse = 3.0;
    EXPECT_EQ(m_q->UpdateSchwerpunkt(), 48);

    // Each plan compares with its own last result: a second plan with the same loads still changes.
    CFahrzeug andere;
    auto* q2 = new CQOR(&andere, 0, "Other");
    andere.m_pQor = q2;
    tagLGINFO* p2 = Neu("A");
    *p2 = *p;
    q2->AddLgInfo(std::unique_ptr<tagLGINFO>(p2), false);
    EXPECT_EQ(q2->UpdateSchwerpunkt(), 8 | 48);
    EXPECT_EQ(m_q->UpdateSchwerpunkt(), 0);
}

TEST_F(QORTest, ADraggedLoadCountsOnce)
{
    struct Ziehen : IQorZiehQuelle
    {
        tagLGINFO* p = nullptr;
        tagLGINFO* GetGezogeneLadung() const override { return p; }
    } ziehen;
    tagLGINFO* a = Neu("A");
    a->m_dSPMasse = 1.0;
    tagLGINFO* b = Neu("B");
    b->m_dSPMasse = 3.0;
    b->m_dPosX = 4.0;
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(a), false);
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(b), false);
    ziehen.p = a;
    m_q->SetZiehQuelle(&ziehen);
    double m = 0, x = 0;
    m_q->CalcSchwerpunkt(&m, &x, nullptr, nullptr);
    m_q->SetZiehQuelle(nullptr);
    EXPECT_DOUBLE_EQ(m, 4.0);
    EXPECT_DOUBLE_EQ(x, 3.0);
}

TEST_F(QORTest, DeletingThePlanClearsTheVehiclesPointer)
{
    m_q->AddLgInfo(std::unique_ptr<tagLGINFO>(Neu("A")), false);
    m_q->InsertLadeeinheit(std::unique_ptr<CLadeeinheit>(new CLadeeinheit(1)), 0);
    m_q->m_Anzeige[m_q->GetLgInfos().front()] = std::make_unique<tagGUILG>();
    delete m_q;
    EXPECT_EQ(m_fahrzeug.GetQor(), nullptr);
}
