// What the load-securing report needs of the document it reports on: its vehicles and the securing view
// to refresh. The document implements it.
#pragma once

class CFahrzeug;

class ILgspReportDokument
{
public:
    virtual ~ILgspReportDokument() = default;
    // The front or single vehicle.
    virtual CFahrzeug* GetFirstFahrzeug() const = 0;
    // The trailer of a combination, null for a single vehicle.
    virtual CFahrzeug* GetAnhaenger() const = 0;
    virtual void InvalidateLgSicherungView() = 0;
};
