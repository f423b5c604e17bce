// Lashing points, devices, rails, attachment points, blocking records, point pairs, the first-version
// vehicle record, the securing settings and the load unit: behaviour and archive layouts.
#include "ByteHelpers.h"
#include "FahrzeugTestSupport.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/files/SIMPEXP_QOR.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/CWizardParams.h"
#include "model/plan/SLadung.h"
#include "model/plan/sFSParam.h"
#include "model/plan/sLg.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/plan/tagLGINFO.h"
#include "model/securing/CLgsMangel.h"
#include "model/securing/SNormParams.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CZugmaschine.h"
#include "model/vehicle/CZurrmittel.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/vehicle/CZusLast.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

namespace {

class TextIds : public ITextProvider
{
public:
    std::string Text(std::uint32_t id) const override { return "#" + std::to_string(id); }
};

Bytes Schreibe(const PersistentObject& o)
{
    ArchiveWriter ar;
    ar.WriteObject(&o);
    return ar.TakeData();
}

template <class T> std::unique_ptr<T> Lies(const Bytes& bytes)
{
    ArchiveReader in(bytes);
    auto p = in.ReadOwnedObject<T>();
    EXPECT_TRUE(in.AtEnd());
    return p;
}

// Writes, reads and writes again; the second write must equal the first.
template <class T> std::unique_ptr<T> RundReise(const T& o)
{
    const Bytes b = Schreibe(o);
    auto p = Lies<T>(b);
    EXPECT_EQ(Schreibe(*p), b);
    return p;
}

Bytes Dbl(double d)
{
    Bytes b(8);
    std::memcpy(b.data(), &d, 8);
    return b;
}

Bytes Flt(float f)
{
    Bytes b(4);
    std::memcpy(b.data(), &f, 4);
    return b;
}

Bytes Str(std::string_view s)
{
    return Bytes{std::uint8_t(s.size())} + Ascii(s);
}

} // namespace

TEST(LashingRecordsTest, PointPositionsSideDistanceAndRail)
{
    struct Fall
    {
        int nFlags;
        double dX, dY;
    };
    for (const Fall& f : {Fall{0, 6.0, 0.3}, Fall{3, 1.0, 2.1}, Fall{1, 1.0, 0.3}, Fall{2, 6.0, 2.1}}) {
        SCOPED_TRACE(f.nFlags);
        CZurrpunkt p(0.0, 0.0);
        p.m_nFlags = f.nFlags;
        p.m_dAbstandLaengs = 1.0;
        p.m_dAbstandQuer = 0.3;
        p.SetBezugsmasse(7.0, 2.4);
        EXPECT_DOUBLE_EQ(p.GetPosX(), f.dX);
        EXPECT_DOUBLE_EQ(p.GetPosY(), f.dY);
        // Positions go stale with new reference measures.
        p.SetBezugsmasse(8.0, 2.4);
        EXPECT_DOUBLE_EQ(p.GetPosX(), (f.nFlags & 1) ? 1.0 : 7.0);
    }
    CZurrpunkt vorn;
    vorn.m_nFlags = CZurrpunkt::kVorn;
    vorn.m_dAbstandQuer = 0.2;
    vorn.SetBezugsmasse(7.0, 2.4);
    EXPECT_DOUBLE_EQ(vorn.GetMittenAbstand(), 1.0);

    CZurrpunkt s;
    s.m_dAbstandLaengs = 0.5;
    for (auto [flags, expected] : {std::pair{0, 0.5}, {2, 1.9}, {1, -1.0}, {3, -1.0}}) {
        s.m_nFlags = flags;
        EXPECT_DOUBLE_EQ(s.GetSeitenAbstand(2.4), expected) << flags;
    }

    CZurrschiene schiene;
    schiene.m_nZulKraft = 2000;
    CZurrpunkt r;
    r.m_dSchienenKraft = 500.0;
    EXPECT_DOUBLE_EQ(r.GetSchienenDaN(), 500.0);
    r.SetZurrschiene(&schiene);
    EXPECT_EQ(r.m_nFlags & CZurrpunkt::kAnSchiene, CZurrpunkt::kAnSchiene);
    EXPECT_DOUBLE_EQ(r.GetSchienenDaN(), 2000.0);
    r.SetZurrschiene(nullptr);
    EXPECT_EQ(r.m_nFlags & CZurrpunkt::kAnSchiene, 0);
    EXPECT_DOUBLE_EQ(r.GetSchienenDaN(), 500.0);
}

TEST(LashingRecordsTest, NamesAndTypeTexts)
{
    TextIds ids;
    ScopedTextProvider scope(&ids);
    CZurrpunkt p;
    p.m_nNummer = 5;
    p.m_nFlags = CZurrpunkt::kVorn | CZurrpunkt::kLinks;
    EXPECT_EQ(p.GetName(), "#389#39205");
    EXPECT_EQ(p.GetLabel(), "#389#39205");
    p.m_nFlags = CZurrpunkt::kLinks;
    EXPECT_EQ(p.GetName(), "#39205");
    p.m_nFlags = 0;
    p.m_nNummer = 12;
    EXPECT_EQ(p.GetLabel(), "#39112");
    EXPECT_EQ(FormatZurrpunktName(true, false, 3), "#389#39103");

    CZurrmittel m;
    for (auto [typ, member, free] : {std::tuple{0, "#393", "#393"},
                                     {1, "#394", "#394"},
                                     {2, "#395", "#395"},
                                     {3, "", "#69"},
                                     {-1, "", "#69"}}) {
        m.m_nTyp = typ;
        EXPECT_EQ(m.GetTypText(), member) << typ;
        EXPECT_EQ(GetZurrmittelTypText(typ), free) << typ;
    }
    EXPECT_EQ(SNormParams::GetNormName(1), "#562");
    EXPECT_EQ(SNormParams::GetNormName(3), "#69");
}

TEST(LashingRecordsTest, RailExtentAndSides)
{
    CZurrschiene s;
    EXPECT_EQ(s.m_nSeite, -1);
    EXPECT_EQ(s.m_nZulKraft, -1);
    double von = -1, bis = -1;
    EXPECT_FALSE(s.GetBereich(&von, &bis));
    EXPECT_EQ(von, 0.0);
    s.m_dBis = 4.0;
    EXPECT_TRUE(s.GetBereich(nullptr, &bis));
    EXPECT_EQ(bis, 4.0);
    CZurrschiene kopie(s);
    EXPECT_FALSE(kopie.GetBereich(nullptr, nullptr));
    s.m_dPosition = 0.1;
    for (auto [seite, expected] : {std::pair{0, 2.3}, {2, 0.1}, {1, -1.0}}) {
        s.m_nSeite = seite;
        EXPECT_DOUBLE_EQ(s.GetSeitenAbstand(2.4), expected);
    }
}

TEST(LashingRecordsTest, LashingRecordLayoutsRoundTrip)
{
    CZurrpunkt p;
    p.m_nFlags = 0x13;
    p.m_dAbstandLaengs = 1.5;
    p.m_dAbstandQuer = 0.25;
    p.m_dHoehe = 3.0;
    p.m_dZulKraft = 2000.0;
    p.m_dSchienenKraft = 1000.0;
    const Bytes pb = Schreibe(p);
    EXPECT_EQ(pb, ClassRecord(2, "CZurrpunkt") + Dword(0x13) + Dbl(1.5) + Dbl(0.25) + Dbl(3.0) + Dbl(2000.0) +
                      Dbl(1000.0));
    auto pr = RundReise(p);
    EXPECT_EQ(pr->m_nFlags, 0x13);
    EXPECT_EQ(pr->m_dSchienenKraft, 1000.0);
    EXPECT_EQ(pr->m_nNummer, -1);

    // Schema 1 has no rail force; it reads as 0.0 and writes back in the current schema.
    const Bytes alt =
        ClassRecord(1, "CZurrpunkt") + Dword(0x13) + Dbl(1.5) + Dbl(0.25) + Dbl(3.0) + Dbl(2000.0);
    auto pa = Lies<CZurrpunkt>(alt);
    EXPECT_EQ(pa->m_dSchienenKraft, 0.0);
    EXPECT_EQ(pa->m_dZulKraft, 2000.0);
    EXPECT_EQ(Schreibe(*pa), ClassRecord(2, "CZurrpunkt") + Dword(0x13) + Dbl(1.5) + Dbl(0.25) + Dbl(3.0) +
                                 Dbl(2000.0) + Dbl(0.0));

    CZurrmittel m;
    m.m_nKennung = 7; // not stored
    m.m_nTyp = 1;
    m.m_nTypZusatz = 4;
    m.m_strName = "Kette";
    m.m_dVorspannkraft = 1500;
    m.m_dZurrkraft = 3000;
    m.m_dWert3 = 0.5;
    m.m_nAnzahl = 6;
    m.m_nReserve = 9;
    const Bytes mb = Schreibe(m);
    EXPECT_EQ(mb, ClassRecord(1, "CZurrmittel") + Dword(1) + Dword(4) + Str("Kette") + Dbl(1500) + Dbl(3000) +
                      Dbl(0.5) + Dword(6) + Dword(9));
    auto mr = RundReise(m);
    EXPECT_EQ(mr->m_nKennung, 0);
    EXPECT_EQ(mr->m_strName, "Kette");

    CZurrschiene s;
    s.m_nSeite = 2;
    s.m_dPosition = 0.05;
    s.m_dWeitereWerte[0] = 1;
    s.m_nReserve = 3;
    s.m_nZulKraft = 2000;
    s.m_dWeitereWerte[1] = 4;
    s.m_dWeitereWerte[2] = 5;
    s.m_dVon = 1.0; // not stored
    EXPECT_EQ(Schreibe(s), ClassRecord(1, "CZurrschiene") + Dword(2) + Dbl(0.05) + Dbl(1) + Dword(3) +
                               Dword(2000) + Dbl(4) + Dbl(5));
    auto sr = RundReise(s);
    EXPECT_EQ(sr->m_dVon, 0.0);
    EXPECT_EQ(sr->m_nZulKraft, 2000);

    CAnschlagpunkt a(2);
    a.m_dVersatz1 = 0.1;
    a.m_dVersatz2 = 0.2;
    a.m_dVersatz3 = 0.3;
    EXPECT_EQ(Schreibe(a), ClassRecord(1, "CAnschlagpunkt") + Dword(2) + Dbl(0.1) + Dbl(0.2) + Dbl(0.3) +
                               Dword(0) + Word(0));
    a.SetZurrpunkt(0, &p);
    a.SetZurrpunkt(1, &p); // only sub-index 0 holds a point
    EXPECT_NE(a.GetZurrpunkt(0), &p);
    EXPECT_EQ(a.GetZurrpunkt(1), nullptr);
    auto ar = RundReise(a);
    ASSERT_NE(ar->GetZurrpunkt(0), nullptr);
    EXPECT_EQ(ar->GetZurrpunkt(0)->m_dZulKraft, 2000.0);
    a.SetZurrpunkt(0, nullptr);
    EXPECT_EQ(a.GetZurrpunkt(0), nullptr);
}

TEST(LashingRecordsTest, BlockingRecordSchemas)
{
    tagLGINFO lg;
    lg.m_nNummer = 4;
    sFSParam fs;
    EXPECT_EQ(fs.m_nNummer, -1);
    fs.SetLg(&lg);
    fs.m_nArt = 2;
    fs.m_nKapazitaet = 1200;
    EXPECT_EQ(fs.GetLg(), &lg);
    EXPECT_EQ(Schreibe(fs), ClassRecord(3, "sFSParam") + Dword(2) + Dword(1200) + Dword(4));
    auto r = RundReise(fs);
    EXPECT_EQ(r->GetLg(), nullptr);
    EXPECT_EQ(r->m_nNummer, 4);

    struct Fall
    {
        Bytes bytes;
        int nNummer;
    };
    const Fall faelle[] = {
        {ClassRecord(2, "sFSParam") + Dword(1) + Dword(800) + Str("alter Text") + Dword(7), 7},
        {ClassRecord(2, "sFSParam") + Dword(1) + Dword(800) + Str("") + Dword(8), 8},
        {ClassRecord(1, "sFSParam") + Dword(1) + Dword(800), -1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nNummer);
        auto p = Lies<sFSParam>(f.bytes);
        EXPECT_EQ(p->m_nArt, 1);
        EXPECT_EQ(p->m_nKapazitaet, 800);
        EXPECT_EQ(p->m_nNummer, f.nNummer);
        EXPECT_EQ(Schreibe(*p), ClassRecord(3, "sFSParam") + Dword(1) + Dword(800) + Dword(f.nNummer));
    }
}

TEST(LashingRecordsTest, SharedPointOfTwoPairsIsWrittenOnceAndReadAsOne)
{
    CZurrpunkt gemeinsam, a, b;
    gemeinsam.m_dZulKraft = 1;
    a.m_dZulKraft = 2;
    b.m_dZulKraft = 3;
    sZPPtrTupel t1(&gemeinsam, &a, 0), t2(&b, &gemeinsam, 0);
    t1.m_nAktiv = 1;
    ArchiveWriter w;
    w.WriteObject(&t1);
    w.WriteObject(&t2);
    const Bytes bytes = w.Data();
    const Bytes punkt = Dword(1) + Dbl(0) + Dbl(0) + Dbl(0);
    // pair class 1, pair 2, point class 3, point 4, point 5; the second pair: class ref, object 6,
    // new point 7, back-reference to object 4.
    const Bytes expected = ClassRecord(2, "sZPPtrTupel") + Dword(0) + ClassRecord(2, "CZurrpunkt") + punkt +
                           Dbl(1) + Dbl(0) + Word(0x8003) + punkt + Dbl(2) + Dbl(0) + Dword(1) +
                           Word(0x8001) + Dword(0) + Word(0x8003) + punkt + Dbl(3) + Dbl(0) + Word(4) +
                           Dword(0);
    EXPECT_EQ(bytes, expected);

    std::unique_ptr<sZPPtrTupel> r1, r2;
    {
        ArchiveReader in(bytes);
        r1 = in.ReadOwnedObject<sZPPtrTupel>();
        r2 = in.ReadOwnedObject<sZPPtrTupel>();
        EXPECT_TRUE(in.AtEnd());
    }
    EXPECT_EQ(r1->m_pZP1, r2->m_pZP2);
    EXPECT_EQ(r1->m_pZP1->m_dZulKraft, 1.0);
    EXPECT_EQ(r1->m_nAktiv, 1);
    EXPECT_EQ(r1->m_nBesitz, 0);
    // Both pairs share in the point: it is deleted once, with the last of them.
    EXPECT_FALSE(r1->BesitztPunkt(0));
    EXPECT_FALSE(r2->BesitztPunkt(1));
    EXPECT_EQ(r1->m_Geteilt[0], r2->m_Geteilt[1]);
    ArchiveWriter w2;
    w2.WriteObject(r1.get());
    w2.WriteObject(r2.get());
    EXPECT_EQ(w2.Data(), bytes);

    // Schema 1 ends after the second point.
    const Bytes alt = ClassRecord(1, "sZPPtrTupel") + Dword(1) + Word(0) + Word(0);
    auto pa = Lies<sZPPtrTupel>(alt);
    EXPECT_EQ(pa->m_nBesitz, 1);
    EXPECT_EQ(pa->m_nAktiv, 0);
    EXPECT_FALSE(pa->IsVollstaendig());
    EXPECT_EQ(Schreibe(*pa), ClassRecord(2, "sZPPtrTupel") + Dword(1) + Word(0) + Word(0) + Dword(0));
}

TEST(LashingRecordsTest, NormParamsSchemasAndStandardSets)
{
    SNormParams n;
    EXPECT_FLOAT_EQ(n.m_fGravitation, 9.81f);
    ASSERT_TRUE(SNormParams::GetStandard(1, &n));
    EXPECT_FALSE(SNormParams::GetStandard(3, &n));
    const float c[10] = {0.8f, 0.5f, 0.5f, 0.5f, 0.6f, 2.0f, 1.25f, 1.1f, 0.75f, 0.6f};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(n.m_fKoeff[i], c[i]) << i;
    const Bytes kopf = Flt(c[0]) + Flt(c[1]) + Flt(c[2]) + Flt(c[3]) + Flt(c[5]) + Flt(c[6]) + Flt(c[7]);
    EXPECT_EQ(Schreibe(n), ClassRecord(3, "SNormParams") + kopf + Flt(c[4]) + Flt(c[8]) + Flt(c[9]));
    RundReise(n);

    struct Fall
    {
        unsigned schema;
        Bytes rest;
        float c4, c8, c9;
    };
    const Fall faelle[] = {{1, {}, 0.0f, 1.0f, 0.0f},
                           {2, Flt(0.6f) + Flt(0.75f), 0.6f, 0.75f, 0.0f},
                           {3, Flt(0.6f) + Flt(0.75f) + Flt(0.6f), 0.6f, 0.75f, 0.6f}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.schema);
        auto p = Lies<SNormParams>(ClassRecord(std::uint16_t(f.schema), "SNormParams") + kopf + f.rest);
        EXPECT_EQ(p->m_fKoeff[3], 0.5f);
        EXPECT_EQ(p->m_fKoeff[7], 1.1f);
        EXPECT_EQ(p->m_fKoeff[4], f.c4);
        EXPECT_EQ(p->m_fKoeff[8], f.c8);
        EXPECT_EQ(p->m_fKoeff[9], f.c9);
        EXPECT_FLOAT_EQ(p->m_fGravitation, 9.81f);
        EXPECT_EQ(Schreibe(*p), ClassRecord(3, "SNormParams") + kopf + Flt(f.c4) + Flt(f.c8) + Flt(f.c9));
    }
}

TEST(LashingRecordsTest, WizardParamsDefaultsLayoutAndOldSchema)
{
    const auto vorher = static_cast<std::int64_t>(std::time(nullptr));
    CWizardParams w;
    EXPECT_GE(w.m_tDatum, vorher);
    EXPECT_EQ(w.m_fReibungMitMatte, 0.6f);
    EXPECT_EQ(w.m_fReibungOhneMatte, -1.0f);
    EXPECT_EQ(w.m_nVerfahren, 0);
    EXPECT_EQ(w.m_nQuerQuelle, -1);
    EXPECT_EQ(w.m_nNorm, 0);
    EXPECT_EQ(w.m_bReibungUeber02, 1);
    EXPECT_EQ(w.m_FS[2].m_nNummer, -1);

    w.m_nNummer = 3;
    w.m_nNorm = 1;
    SNormParams::GetStandard(1, &w.m_Norm);
    w.m_FS[1].m_nArt = 1;
    w.m_FS[2].m_nArt = 2;
    w.m_FS[2].m_nKapazitaet = 900;
    w.m_FS[2].m_nNummer = 6;
    w.m_bAntirutschmatte = 1;
    w.m_nVerfahren = 1;
    w.m_nDetailWert = 3;
    w.m_nZurrmittelTyp = 1;
    w.m_strText = "Notiz";
    w.m_nVorspannkraft = 400;
    w.m_nZurrkraft = 2500;
    w.m_tDatum = 0x123456789LL;
    const Bytes b = Schreibe(w);
    // The number, the second int, the norm, then the first blocking record with its class record and
    // the three others with a class reference.
    const Bytes kopf = ClassRecord(2, "CWizardParams") + Dword(3) + Dword(0) + Dword(1) +
                       ClassRecord(3, "sFSParam") + Dword(0) + Dword(0) + Dword(-1) + Word(0x8003) + Dword(1);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + std::ptrdiff_t(kopf.size())), kopf);
    EXPECT_EQ(Bytes(b.end() - 8, b.end()), Dword(0x23456789) + Dword(1));
    auto r = RundReise(w);
    EXPECT_EQ(r->m_FS[2].m_nKapazitaet, 900);
    EXPECT_EQ(r->m_FS[2].m_nNummer, 6);
    EXPECT_EQ(r->m_Norm.m_fKoeff[9], 0.6f);
    EXPECT_EQ(r->m_strText, "Notiz");
    EXPECT_EQ(r->m_tDatum, 0x123456789LL);

    // Schema 1 has no date: the construction time stays.
    Bytes alt(b.begin(), b.end() - 8);
    alt[2] = 1;
    const auto vorLesen = static_cast<std::int64_t>(std::time(nullptr));
    auto a = Lies<CWizardParams>(alt);
    EXPECT_GE(a->m_tDatum, vorLesen);
    EXPECT_EQ(a->m_nZurrkraft, 2500);
    EXPECT_EQ(a->m_fReibungMitMatte, 0.6f);
}

TEST(LashingRecordsTest, FirstVersionVehicleReadsBackEveryField)
{
    using namespace fahrzeugtest;
    auto f = Erzeuge({0, {{1.2, 3, 7.1}, {4.0, 2, 11.5}, {1.3, 1, 8}, {1.3, 1, 8}, {1.3, 1, 8}}, 26, 7.2});
    f->m_strName = "Pritsche";
    f->m_dLeergewicht = 9.5;
    f->m_strBemerkung = "zweiter";
    f->m_nMinAnteilVorn = 20;
    f->m_nMinAnteilHinten = 25;
    f->m_strReserveTexte[0] = "drei";
    f->m_strReserveTexte[1] = "vier";
    auto* z = new CZusLast;
    z->m_strName = "Kran";
    z->m_dPosition = 1.5;
    f->m_ZusLasten.emplace_back(z);
    auto* l = new SLadung;
    l->m_strName = "Sand";
    f->m_Ladungen.emplace_back(l);
    f->m_dKupplungslast1 = 4.0; // not part of the record

    const Bytes b = Schreibe(*f);
    ArchiveReader in(b);
    auto r = in.ReadOwnedObject<CFahrzeug>();
    ASSERT_TRUE(in.AtEnd());
    ASSERT_NE(dynamic_cast<CZugmaschine*>(r.get()), nullptr);
    EXPECT_EQ(r->m_strName, "Pritsche");
    EXPECT_EQ(r->m_nArt, 0);
    EXPECT_EQ(r->m_nAchsanzahl, 5);
    EXPECT_EQ(r->m_dLeergewicht, 9.5);
    EXPECT_EQ(r->m_dZulGesamtgewicht, 26);
    EXPECT_EQ(r->m_dLFLaenge, 7.2);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r->m_Achsen[i].dAbstand, f->m_Achsen[i].dAbstand);
        EXPECT_EQ(r->m_Achsen[i].dLeerlast, f->m_Achsen[i].dLeerlast);
        EXPECT_EQ(r->m_Achsen[i].dZulLast, f->m_Achsen[i].dZulLast);
    }
    EXPECT_EQ(r->m_Achsen[4].dAbstand, 0.0); // a fifth axle is not part of the record
    EXPECT_EQ(r->m_Achsen[4].dZulLast, 0.0);
    EXPECT_EQ(r->m_strBemerkung, "zweiter");
    EXPECT_EQ(r->m_nMinAnteilVorn, 20u);
    EXPECT_EQ(r->m_nMinAnteilHinten, 25u);
    ASSERT_EQ(r->m_ZusLasten.size(), 1u);
    EXPECT_EQ(r->m_ZusLasten.front()->m_dPosition, 1.5);
    ASSERT_EQ(r->m_Ladungen.size(), 1u);
    EXPECT_EQ(r->m_Ladungen.front()->m_strName, "Sand");
    EXPECT_EQ(r->m_strReserveTexte[0], "drei");
    EXPECT_EQ(r->m_strReserveTexte[1], "vier");
    EXPECT_EQ(r->m_dKupplungslast1, 0.0);
    EXPECT_EQ(Schreibe(*r), b);

    // The head of the record in bytes.
    const Bytes kopf = ClassRecord(1, "CZugmaschine") + Str("Pritsche") + Dword(0) + Dword(5) + Dbl(9.5) +
                       Dbl(26) + Dbl(7.2) + Dbl(1.2) + Dbl(3) + Dbl(7.1) + Str("zweiter") + Dword(20) +
                       Dword(25);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + std::ptrdiff_t(kopf.size())), kopf);

    // A truncated record fails with an archive error.
    const Bytes kurz(b.begin(), b.end() - 3);
    ArchiveReader in2(kurz);
    EXPECT_THROW(in2.ReadOwnedObject<CFahrzeug>(), ArchiveError);
}

TEST(LashingRecordsTest, SemiTrailerBlockOrder)
{
    CAuflieger a;
    a.m_nArt = 3;
    for (int i = 0; i < 6; ++i)
        a.m_dAufliegerWert[i] = i + 1;
    a.m_nAufliegerInt[0] = 10;
    a.m_nAufliegerInt[1] = 20;
    const Bytes b = Schreibe(a);
    const Bytes block = Dbl(1) + Dbl(2) + Dbl(3) + Dword(20) + Dbl(5) + Dbl(4) + Dbl(6) + Dword(10);
    EXPECT_EQ(Bytes(b.end() - std::ptrdiff_t(block.size()), b.end()), block);
    auto r = RundReise(a);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(r->m_dAufliegerWert[i], i + 1);
    EXPECT_EQ(r->m_nAufliegerInt[0], 10);
    EXPECT_EQ(r->m_nAufliegerInt[1], 20);
}

namespace {

tagLGINFO* Last(CQOR& q, const char* name, double x, double y, double l, double b, int dreh, double m)
{
    auto* p = new tagLGINFO;
    p->m_strName = name;
    p->m_nTyp = 0;
    p->m_dPosX = x;
    p->m_dPosY = y;
    p->m_dLaenge = l;
    p->m_dBreite = b;
    p->m_dHoehe = 1.0;
    p->m_nDrehung = dreh;
    p->m_dSPMasse = m;
    p->m_dMasse = m;
    p->m_dSPLaenge = l / 2;
    p->m_dSPBreite = b / 2;
    p->m_dSPHoehe = 0.5;
    q.AddLgInfo(std::unique_ptr<tagLGINFO>(p), false);
    return p;
}

} // namespace

TEST(LashingRecordsTest, LoadUnitMembersBoxAndCorners)
{
    CQOR q(nullptr, 1, "Plan");
    tagLGINFO* a = Last(q, "Box", 1.0, 0.5, 1.2, 0.8, 0, 0.4);
    tagLGINFO* b = Last(q, "Box", 2.2, 0.5, 1.2, 0.8, 90, 0.2);
    CLadeeinheit le(5);
    le.AddLadung(a->m_strName.c_str(), a->m_nNummer, a);
    le.AddLadung(b->m_strName.c_str(), b->m_nNummer, b);
    le.AddLadung(b->m_strName.c_str(), b->m_nNummer, b); // known key: ignored
    ASSERT_EQ(le.m_Lgs.size(), 2u);
    EXPECT_EQ(sLg("Box", 3).FormatKey(), "Box03");
    EXPECT_EQ(sLg("Box", 12).FormatKey(), "Box12");
    le.SetLgFlagBits(5);
    EXPECT_EQ(a->GetLeId(), 5);
    EXPECT_EQ(b->GetLeId(), 5);

    le.CalcAbmessungen();
    double x, y, l, w, h, m;
    le.GetAbmessungen(&x, &y, &l, &w, &h, &m);
    EXPECT_DOUBLE_EQ(x, 1.0);
    EXPECT_DOUBLE_EQ(y, 0.5);
    EXPECT_DOUBLE_EQ(l, 2.0); // the second load turned: 0.8 along x
    EXPECT_DOUBLE_EQ(w, 1.2);
    EXPECT_DOUBLE_EQ(h, 1.0);
    EXPECT_DOUBLE_EQ(m, 0.6);

    for (int i = 0; i < 4; ++i) {
        le.GetAnschlagpunkt(i)->m_dVersatz1 = 0.1;
        le.GetAnschlagpunkt(i)->m_dVersatz2 = 0.2;
        le.GetAnschlagpunkt(i)->m_dVersatz3 = 0.3;
    }
    struct Ecke
    {
        int n;
        double x, y;
    };
    for (const Ecke& e : {Ecke{0, 1.1, 0.7}, Ecke{1, 2.9, 0.7}, Ecke{2, 1.1, 1.5}, Ecke{3, 2.9, 1.5}}) {
        SCOPED_TRACE(e.n);
        double px, py, pz;
        ASSERT_TRUE(le.GetAnschlagpunktPos(e.n, &px, &py, &pz));
        EXPECT_DOUBLE_EQ(px, e.x);
        EXPECT_DOUBLE_EQ(py, e.y);
        EXPECT_DOUBLE_EQ(pz, 0.7);
        double vx, vy, vz;
        ASSERT_TRUE(le.GetAnschlagpunktPosVersetzt(e.n, 0.05, 0.01, 0.1, &vx, &vy, &vz));
        EXPECT_DOUBLE_EQ(vx, e.n % 2 == 0 ? e.x + 0.05 : e.x - 0.05);
        EXPECT_DOUBLE_EQ(vy, e.n < 2 ? e.y + 0.01 : e.y - 0.01);
        EXPECT_DOUBLE_EQ(vz, 0.6);
    }
    EXPECT_FALSE(le.GetAnschlagpunktPos(4, &x, &y, nullptr));
    EXPECT_EQ(le.GetAnschlagpunkt(-1), nullptr);
    EXPECT_EQ(le.GetZurrpunkt(4, 0), nullptr);

    double sx, sy, sz;
    ASSERT_TRUE(le.CalcSchwerpunkt(&sx, &sy, &sz));
    // a: centre (1.6, 0.5 + 0.4); b at 90: (2.2 + 0.4, 0.5 + 0.6); weighted 2:1.
    EXPECT_NEAR(sx, (0.4 * 1.6 + 0.2 * 2.6) / 0.6 - 1.0, 1e-12);
    EXPECT_NEAR(sy, (0.4 * 0.9 + 0.2 * 1.1) / 0.6 - 0.5, 1e-12);
    EXPECT_NEAR(sz, 0.5, 1e-12);

    // An empty unit has no centre.
    CLadeeinheit leer;
    sx = -7;
    EXPECT_FALSE(leer.CalcSchwerpunkt(&sx, &sy, &sz));
    EXPECT_EQ(sx, -7);

    // Members by position; a member the plan lost is skipped.
    std::size_t pos = 0;
    EXPECT_EQ(le.GetNextLadung(pos), a);
    EXPECT_EQ(le.GetNextLadung(pos), b);
    EXPECT_EQ(le.GetNextLadung(pos), nullptr);
    le.m_Lgs.push_back(std::make_unique<sLg>("Weg", 1));
    le.RebuildLgMap(&q);
    EXPECT_EQ(le.m_mapLg.size(), 2u);
    EXPECT_EQ(le.m_nMapGueltig, 1);
    pos = 2;
    EXPECT_EQ(le.GetNextLadung(pos), nullptr);
    EXPECT_EQ(pos, 3u);

    le.SetLgMarkiert(1);
    EXPECT_TRUE(le.IsLgMarkiert());
    EXPECT_EQ(b->m_bSelected, 1);
    le.SetLgMarkiert(0);
    EXPECT_FALSE(le.IsLgMarkiert());
}

TEST(LashingRecordsTest, LoadUnitWalkPairsAndDefects)
{
    CLadeeinheit le;
    CZurrpunkt zp;
    zp.m_dZulKraft = 1;
    le.SetZurrpunkt(1, 0, &zp);
    le.SetZurrpunkt(3, 0, &zp);
    EXPECT_EQ(le.CountZurrpunkte(), 2);

    std::vector<int> ecken;
    CZurrpunkt* p = nullptr;
    int corner = -1, sub = -1;
    for (bool ok = le.GetFirstZurrpunkt(&p, &corner, &sub); ok; ok = le.GetNextZurrpunkt(&p, &corner, &sub)) {
        EXPECT_EQ(sub, 0);
        EXPECT_EQ(p != nullptr, corner == 1 || corner == 3);
        ecken.push_back(corner);
    }
    EXPECT_EQ(ecken, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(le.m_nIterator, -1);
    EXPECT_FALSE(le.GetNextZurrpunkt(nullptr, nullptr, nullptr));

    EXPECT_EQ(le.GetMinZurrpunktWert(0), -1.0);
    EXPECT_EQ(le.GetMinZurrpunktWert2(1), -1.0);
    CZurrschiene schiene;
    schiene.m_dPosition = 0.07;
    schiene.m_nZulKraft = 1500;
    auto* p1 = new CZurrpunkt;
    p1->m_dZulKraft = 2000;
    p1->m_dAbstandQuer = 0.3;
    auto* p2 = new CZurrpunkt;
    p2->m_dZulKraft = 1800;
    p2->m_dAbstandQuer = 0.2;
    p2->m_dSchienenKraft = 900;
    // A pair that lost its points is skipped by every reader.
    le.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(nullptr, nullptr, 0));
    le.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(p1, p2, 1));
    EXPECT_EQ(le.GetMinZurrpunktWert(0), 1800.0);
    EXPECT_EQ(le.GetMinZurrpunktWert2(0), 0.2);
    EXPECT_EQ(le.GetMinZurrpunktWert(2), -1.0);
    EXPECT_EQ(le.GetMinZurrpunktWert2(1), -1.0); // the first pair has no point
    std::swap(le.m_ZPPtrTupel[0], le.m_ZPPtrTupel[1]);
    EXPECT_EQ(le.GetMinZurrpunktWert2(1), -1.0); // the first point is on no rail
    p1->SetZurrschiene(&schiene);
    EXPECT_EQ(le.GetMinZurrpunktWert2(1), 0.07);
    EXPECT_EQ(le.GetMinZurrpunktWert(1), 900.0);
    int n2, n3, anzahl;
    le.m_nZurrParam[0] = 4;
    EXPECT_EQ(le.GetZurrParameter(&n2, &n3, &anzahl), 4);
    EXPECT_EQ(anzahl, 1); // the pair without points counts as missing
    p1->SetZurrschiene(nullptr);

    le.AddMangel(new CLgsMangel(3, 1, nullptr), false);
    auto* zweiter = new CLgsMangel(3, 1, nullptr);
    zweiter->m_strText = "neu";
    le.AddMangel(zweiter, false); // kept the first, dropped the second
    ASSERT_EQ(le.m_Maengel.size(), 1u);
    EXPECT_EQ(le.m_Maengel[0]->m_strText, "");
    auto* dritter = new CLgsMangel(3, 1, nullptr);
    dritter->m_strText = "ersetzt";
    le.AddMangel(dritter, true);
    ASSERT_EQ(le.m_Maengel.size(), 1u);
    EXPECT_EQ(le.m_Maengel[0]->m_strText, "ersetzt");
    EXPECT_EQ(le.m_Maengel[0]->m_pEinheit, &le);
    le.AddMangel(new CLgsMangel(8, 1, nullptr), false);
    EXPECT_EQ(le.CountMaengel(4), 1);
    EXPECT_EQ(le.CountMaengel(0), 2);
    le.ClearMaengel();
    EXPECT_EQ(le.CountMaengel(0), 0);
    int flag = -1;
    le.SetSichgModus(2, 1);
    EXPECT_EQ(le.GetSichgModus(&flag), 2);
    EXPECT_EQ(flag, 1);
}

TEST(LashingRecordsTest, LoadUnitRoundTripAndOldSchemas)
{
    CLadeeinheit le(9);
    le.m_bVorhanden = 1;
    le.m_Wizard.m_nNummer = 9;
    le.m_Wizard.m_tDatum = 1000;
    le.m_Lgs.push_back(std::make_unique<sLg>("Box", 3));
    CZurrpunkt gemeinsam;
    gemeinsam.m_dZulKraft = 2500;
    CZurrpunkt links, rechts;
    links.m_nFlags = 2;
    le.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&links, &gemeinsam, 0));
    le.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&gemeinsam, &rechts, 0));
    le.SetZurrpunkt(2, 0, &links);
    le.GetAnschlagpunkt(2)->m_dVersatz1 = 0.15;
    le.m_nZurrParam[0] = 2;
    le.m_nZurrParam[1] = 3;
    le.m_nZurrParam[2] = 4;
    auto* mangel = new CLgsMangel(1, 1, nullptr);
    mangel->m_abWerte[0][0] = 0x42;
    le.AddMangel(mangel, false);

    const Bytes b = Schreibe(le);
    auto r = RundReise(le);
    EXPECT_EQ(r->GetId(), 9);
    EXPECT_EQ(r->m_bVorhanden, 1);
    EXPECT_EQ(r->m_Wizard.m_tDatum, 1000);
    ASSERT_EQ(r->m_Lgs.size(), 1u);
    EXPECT_EQ(r->m_Lgs[0]->FormatKey(), "Box03");
    ASSERT_EQ(r->m_ZPPtrTupel.size(), 2u);
    EXPECT_EQ(r->m_ZPPtrTupel[0]->m_pZP2, r->m_ZPPtrTupel[1]->m_pZP1);
    EXPECT_EQ(r->m_ZPPtrTupel[0]->m_pZP2->m_dZulKraft, 2500);
    EXPECT_EQ(r->m_ZPPtrTupel[0]->m_nEigen, 1);
    ASSERT_NE(r->GetZurrpunkt(2, 0), nullptr);
    EXPECT_EQ(r->GetZurrpunkt(2, 0)->m_nFlags, 2);
    EXPECT_EQ(r->GetAnschlagpunkt(2)->m_dVersatz1, 0.15);
    EXPECT_EQ(r->GetAnschlagpunkt(3)->m_nEcke, 3);
    EXPECT_EQ(r->m_nZurrParam[2], 4);
    ASSERT_EQ(r->m_Maengel.size(), 1u);
    EXPECT_EQ(r->m_Maengel[0]->m_abWerte[0][0], 0x42);
    EXPECT_EQ(r->m_Maengel[0]->m_pEinheit, r.get());

    // The same unit without the defect list (schema 2) and without the lashing parameters (schema 1).
    CLadeeinheit ohne(9);
    ohne.m_Wizard.m_tDatum = 1000;
    const Bytes b3 = Schreibe(ohne);
    const Bytes ohneMaengel(b3.begin(), b3.end() - 2);
    Bytes s2 = ohneMaengel;
    s2[2] = 2;
    auto r2 = Lies<CLadeeinheit>(s2);
    EXPECT_TRUE(r2->m_Maengel.empty());
    EXPECT_EQ(Schreibe(*r2), b3);
    Bytes s1(ohneMaengel.begin(), ohneMaengel.end() - 12);
    s1[2] = 1;
    auto r1 = Lies<CLadeeinheit>(s1);
    EXPECT_EQ(r1->m_nZurrParam[0], -1);
    EXPECT_EQ(r1->m_nZurrParam[1], -1);
    EXPECT_EQ(r1->m_nZurrParam[2], 0);
    EXPECT_EQ(Schreibe(*r1), b3);

    // Three attachment points instead of four: a clear archive error.
    Bytes falsch = s1;
    const std::size_t felder = 4 + 24 + 4 + 2, ersterKopf = 6 + 14;
    const std::size_t at = falsch.size() - (ersterKopf + felder) - 3 * (2 + felder) - 2;
    ASSERT_EQ(falsch[at], 4);
    falsch[at] = 3;
    falsch.erase(falsch.end() - std::ptrdiff_t(2 + felder), falsch.end());
    ArchiveReader in(falsch);
    EXPECT_THROW(in.ReadOwnedObject<CLadeeinheit>(), ArchiveError);
}

TEST(LashingRecordsTest, DefectRecordSchemas)
{
    CLgsMangel m(8, 1, nullptr);
    m.m_strText = "t";
    for (int i = 0; i < 32; ++i)
        (&m.m_abWerte[0][0])[i] = std::uint8_t(i);
    const Bytes b = Schreibe(m);
    Bytes slots;
    for (int i = 0; i < 32; ++i)
        slots.push_back(std::uint8_t(i));
    EXPECT_EQ(b, ClassRecord(2, "CLgsMangel") + Dword(8) + Dword(1) + Str("t") + Dword(32) + slots);
    RundReise(m);

    // A longer data block keeps its first 32 bytes.
    auto lang = Lies<CLgsMangel>(ClassRecord(2, "CLgsMangel") + Dword(8) + Dword(1) + Str("t") + Dword(40) +
                                 slots + Zeros(8));
    EXPECT_EQ(Schreibe(*lang), b);
    // A block longer than the file is refused.
    const Bytes kaputt = ClassRecord(2, "CLgsMangel") + Dword(8) + Dword(1) + Str("t") + Dword(4000) + slots;
    ArchiveReader in(kaputt);
    EXPECT_THROW(in.ReadOwnedObject<CLgsMangel>(), ArchiveError);

    // Schema 1: four words, each a pair of thousandths.
    auto alt = Lies<CLgsMangel>(ClassRecord(1, "CLgsMangel") + Dword(1) + Dword(1) + Str("") +
                                Dword(0x00020005) + Zeros(12));
    std::int32_t lo, hi;
    std::memcpy(&lo, alt->m_abWerte[0], 4);
    std::memcpy(&hi, alt->m_abWerte[0] + 4, 4);
    EXPECT_EQ(lo, 5000);
    EXPECT_EQ(hi, 2000);
    EXPECT_EQ(Schreibe(*alt), ClassRecord(2, "CLgsMangel") + Dword(1) + Dword(1) + Str("") + Dword(32) +
                                  Dword(5000) + Dword(2000) + Zeros(24));
}

TEST(LashingRecordsTest, TruncatedLoadUnitFailsCleanlyAtEveryLength)
{
    CLadeeinheit le(4);
    le.m_Lgs.push_back(std::make_unique<sLg>("Box", 1));
    CZurrpunkt p, q;
    le.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&p, &q, 0));
    le.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&q, &p, 0));
    le.SetZurrpunkt(0, 0, &p);
    le.AddMangel(new CLgsMangel(2, 1, nullptr), false);
    const Bytes b = Schreibe(le);
    for (std::size_t n = 0; n < b.size(); ++n) {
        SCOPED_TRACE(n);
        const Bytes kurz(b.begin(), b.begin() + std::ptrdiff_t(n));
        ArchiveReader in(kurz);
        EXPECT_THROW(in.ReadOwnedObject<CLadeeinheit>(), ArchiveError);
    }
}

// Two load units whose pairs use the same vehicle points (units side by side over the same lashing
// points): the file names each point once and refers to it from the second unit. Either unit may go
// first; the other's pairs keep their points.
TEST(LashingRecordsTest, PointSharedByPairsOfTwoUnitsOutlivesEitherUnit)
{
    CZurrpunkt links, rechts;
    links.m_nFlags = CZurrpunkt::kLinks;
    links.m_dZulKraft = 2000;
    rechts.m_dZulKraft = 2500;
    CLadeeinheit a(1), b(2);
    a.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&links, &rechts, 0));
    b.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&links, &rechts, 0));
    // A pair that keeps its points when the vehicle re-attaches the others.
    b.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&rechts, &links, 1));
    b.m_ZPPtrTupel.back()->m_bGeliehen[0] = b.m_ZPPtrTupel.back()->m_bGeliehen[1] = true;
    SIMPEXP_QOR plan;
    plan.m_GelieheneLadeeinheiten = {&a, &b};
    const Bytes bytes = Schreibe(plan);

    for (int weg : {0, 1}) {
        SCOPED_TRACE(weg);
        auto r = Lies<SIMPEXP_QOR>(bytes);
        ASSERT_EQ(r->m_Ladeeinheiten.size(), 2u);
        EXPECT_EQ(Schreibe(*r), bytes);
        sZPPtrTupel* a0 = r->m_Ladeeinheiten[0]->m_ZPPtrTupel[0].get();
        sZPPtrTupel* b0 = r->m_Ladeeinheiten[1]->m_ZPPtrTupel[0].get();
        sZPPtrTupel* b1 = r->m_Ladeeinheiten[1]->m_ZPPtrTupel[1].get();
        EXPECT_EQ(a0->m_pZP1, b0->m_pZP1);
        EXPECT_EQ(a0->m_pZP2, b1->m_pZP1);
        CZurrpunkt fahrzeugL(links), fahrzeugR(rechts);
        if (weg == 0) // the vehicle re-attaches the first unit's pair to its own points first
            a0->SetzeFremdePunkte(&fahrzeugL, &fahrzeugR);
        r->m_Ladeeinheiten.erase(r->m_Ladeeinheiten.begin() + weg);
        const sZPPtrTupel* bleibt = weg == 0 ? b1 : a0;
        EXPECT_EQ(bleibt->m_pZP1->m_dZulKraft, weg == 0 ? 2500 : 2000);
        EXPECT_EQ(bleibt->m_pZP2->m_dZulKraft, weg == 0 ? 2000 : 2500);
        EXPECT_EQ(r->m_Ladeeinheiten[0]->GetMinZurrpunktWert(0), 2000);
    }
}

// A file whose pair refers to a point that another object owns alone (an attachment point's, of this or
// another unit, or one read on its own) is refused: that owner may go before the pair.
TEST(LashingRecordsTest, PairReferringToAnotherOwnersPointIsRefused)
{
    CZurrpunkt v;
    v.m_dZulKraft = 1000;
    // Written from states the program never makes: a pair using an attachment point's own point.
    CLadeeinheit a(1), b(2);
    a.SetZurrpunkt(0, 0, &v);
    b.m_ZPPtrTupel.push_back(std::make_unique<sZPPtrTupel>(&v, a.GetZurrpunkt(0, 0), 0));
    SIMPEXP_QOR plan;
    plan.m_GelieheneLadeeinheiten = {&a, &b};
    const Bytes zweiEinheiten = Schreibe(plan);

    ArchiveWriter w;
    CZurrpunkt einzeln;
    sZPPtrTupel paar(&v, &einzeln, 0);
    w.WriteObject(&einzeln);
    w.WriteObject(&paar);
    const Bytes einzelnerPunkt = w.TakeData();

    for (const Bytes* bytes : {&zweiEinheiten, &einzelnerPunkt}) {
        ArchiveReader in(*bytes);
        std::unique_ptr<PersistentObject> erster;
        try {
            if (bytes == &zweiEinheiten) {
                in.ReadOwnedObject<SIMPEXP_QOR>();
            } else {
                erster = in.ReadOwnedObject<CZurrpunkt>();
                in.ReadOwnedObject<sZPPtrTupel>();
            }
            ADD_FAILURE() << "the file was taken";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.GetKind(), ArchiveError::Kind::BadIndex);
            EXPECT_NE(e.GetDetail().find("lashing-point pair"), std::string::npos) << e.what();
        }
    }
}
