// What the add-several popup tells the loading ramp that owns it.
#pragma once

class IAddMultiLgOwner
{
public:
    virtual ~IAddMultiLgOwner() = default;

    // The popup closed with `nAnzahl` copies asked for.
    virtual void AnzahlGeaendert(int nAnzahl) = 0;
    // Add `nAnzahl` copies of the selected item, each of `dTonnen`.
    virtual void MehrereHinzufuegen(int nAnzahl, double dTonnen) = 0;
};
