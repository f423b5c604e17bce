// The geometry of a vehicle's axle groups: taking over and merging the records, positions and means.
#include "model/vehicle/SAchsGeometrie.h"

#include <algorithm>
#include <iterator>

double SAchsGeometrie::Uebernimm(const SAchse* pAchsen, const int* pFlags, int n)
{
    nAchsanzahl = n;
    double dLeer = 0.0;
    std::fill(std::begin(dZulLast), std::end(dZulLast), 0.0);
    std::fill(std::begin(dLeerlast), std::end(dLeerlast), 0.0);
    std::fill(std::begin(dAbstand), std::end(dAbstand), 0.0);
    for (int i = n - 1; i >= 0; --i) {
        dZulLast[i] = pAchsen[i].dZulLast;
        dLeerlast[i] = pAchsen[i].dLeerlast;
        if (i >= 1)
            dAbstand[i] = pAchsen[i].dAbstand;
        dLeer += dLeerlast[i];
    }

    // Records of the front group, by the largest gap between records.
    const int nVorn = VorderGruppenAnzahl(dAbstand + 1, n);
    for (int i = 0; i < MAX_ACHSEN; ++i)
        bVorderGruppe[i] = i < nVorn ? 1 : 0;
    SetzePositionenRel(0);
    double dMoment = 0.0;
    for (int j = 1; j < n; ++j)
        dMoment += dAchsPos[j - 1] * dLeerlast[j];
    dLeerSchwerpunktRel = dMoment / dLeer;

    // Merge: a flagged record gives no axle of its own; its gap joins the next one.
    std::fill(std::begin(dMergeLeerlast), std::end(dMergeLeerlast), 0.0);
    std::fill(std::begin(dMergeZulLast), std::end(dMergeZulLast), 0.0);
    std::fill(std::begin(dMergeAbstand), std::end(dMergeAbstand), 0.0);
    nMergeAnzahl = 0;
    if (n > 0) {
        dMergeLeerlast[0] = dLeerlast[0];
        dMergeZulLast[0] = dZulLast[0];
        nMergeAnzahl = 1;
        double dLauf = n > 1 ? dAbstand[1] : 0.0;
        for (int i = 1; i < n; ++i) {
            const double dNaechster = i + 1 < MAX_ACHSEN ? dAbstand[i + 1] : 0.0;
            if (pFlags[i] == 0) {
                dMergeLeerlast[nMergeAnzahl] = dLeerlast[i];
                dMergeZulLast[nMergeAnzahl] = dZulLast[i];
                dMergeAbstand[nMergeAnzahl] = dLauf;
                ++nMergeAnzahl;
                dLauf = dNaechster;
            } else {
                dLauf += dNaechster;
            }
        }
    }
    return dLeer;
}

void SAchsGeometrie::SetzePositionenRel(int k)
{
    if (k < 0 || k >= MAX_ACHSEN)
        return;
    int e = 0;
    for (int j = 0; j < MAX_ACHSEN; ++j) {
        if (j == k)
            continue;
        double d = 0.0;
        if (j < k)
            for (int i = j + 1; i <= k; ++i)
                d -= dAbstand[i];
        else
            for (int i = k + 1; i <= j; ++i)
                d += dAbstand[i];
        dAchsPos[e++] = d;
    }
    dAchsPos[MAX_ACHSEN - 1] = 0.0;
}

void SAchsGeometrie::MergePositionen(double x0, double* pPos) const
{
    double x = x0;
    for (int i = 0; i < nMergeAnzahl; ++i) {
        if (i > 0)
            x += dMergeAbstand[i];
        pPos[i] = x;
    }
}

int SAchsGeometrie::VorderGruppenAnzahl(const double* pAbstand, int nAchsen)
{
    if (nAchsen < 3)
        return nAchsen / 2;
    int nGroesster = 0;
    bool bAlleGleich = true;
    for (int i = 1; i < nAchsen - 1; ++i) {
        if (pAbstand[i] != pAbstand[0])
            bAlleGleich = false;
        if (pAbstand[i] > pAbstand[nGroesster])
            nGroesster = i;
    }
    if (bAlleGleich)
        return nAchsen / 2;
    return nGroesster + 1;
}

double SAchsGeometrie::GewichtetesMittel(const double* pPos, const double* pGewicht, int nVon, int nBis,
                                         double* pSumme)
{
    double dSumme = 0.0, dMoment = 0.0;
    for (int i = nVon; i < nBis; ++i) {
        dSumme += pGewicht[i];
        dMoment += pGewicht[i] * pPos[i];
    }
    if (pSumme)
        *pSumme = dSumme;
    if (nBis <= nVon)
        return 0.0;
    if (dSumme == 0.0) {
        double d = 0.0;
        for (int i = nVon; i < nBis; ++i)
            d += pPos[i];
        return d / (nBis - nVon);
    }
    return dMoment / dSumme;
}
