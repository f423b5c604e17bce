// The geometry of a vehicle's axle groups, worked out from its axle records at each recalculation.
#pragma once

#include "model/vehicle/SAchse.h"

// The records in use as the last geometry took them, the axles after merging the grouped records, the axle
// positions, the front group and the centres of the groups. The vehicle works it out (CFahrzeug::
// BuildGeometrie) and shows it read-only (CFahrzeug::GetAchsGeometrie).
struct SAchsGeometrie
{
    static constexpr int MAX_ACHSEN = 10;

    // The records in use, with their loads and the distances from the record before.
    int nAchsanzahl = 0;
    double dZulLast[MAX_ACHSEN] = {};
    double dLeerlast[MAX_ACHSEN] = {};
    double dAbstand[MAX_ACHSEN] = {};
    // The merged axles: a grouped record gives no axle of its own, its gap joins the next one.
    double dMergeLeerlast[MAX_ACHSEN] = {};
    double dMergeZulLast[MAX_ACHSEN] = {};
    double dMergeAbstand[MAX_ACHSEN] = {};
    int nMergeAnzahl = 0;
    // Axle positions as the last CFahrzeug::CalcAchsPositionen or SetzePositionenRel left them.
    double dAchsPos[MAX_ACHSEN] = {};
    double dLeerSchwerpunkt = 0.0;    // empty-vehicle centre x from the load-area front
    double dLeerSchwerpunktRel = 0.0; // the same from axle record 0
    double dHinterachsPos = 0.0;      // rear-group centre from the load-area front
    double dHinterLastSumme = 0.0;    // weight sum of the rear-group centre
    double dHinterZulSumme = 0.0;     // permissible sum of the rear group
    // The records of the front group (by the largest gap between records), and the merged axles in it.
    unsigned char bVorderGruppe[MAX_ACHSEN] = {};
    int nAnzahlVorderachsen = 0;

    // Takes over the first n records and merges them by their group flags (0: counted in its axle group):
    // the front group, the positions relative to record 0 and the empty-vehicle centre from there. Answers
    // the records' empty-load sum.
    double Uebernimm(const SAchse* pAchsen, const int* pFlags, int n);
    // Positions of the records relative to record k (k itself left out; the last entry 0).
    void SetzePositionenRel(int k);
    // Positions of the merged axles, the first at x0.
    void MergePositionen(double x0, double* pPos) const;

    // Index (from 1) of the distance that ends the front group: the first largest one wins; when all are
    // equal, or there are fewer than two distances, half the number of axles.
    static int VorderGruppenAnzahl(const double* pAbstand, int nAchsen);
    // Weighted mean of positions nVon to nBis - 1, the weights' sum in *pSumme; the plain mean when the
    // weights add up to nothing.
    static double GewichtetesMittel(const double* pPos, const double* pGewicht, int nVon, int nBis,
                                    double* pSumme);
};
