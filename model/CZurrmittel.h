// A lashing device type with its two ratings and a count.
#pragma once

#include <string>

class CZurrmittel
{
public:
    CZurrmittel() = default;
    CZurrmittel(const CZurrmittel&) = default;
    CZurrmittel& operator=(const CZurrmittel&) = default;

    // Not written to files.
    int m_nKennung = 0;
    // Device type 0, 1 or 2.
    int m_nTyp = 0;
    int m_nTypZusatz = 0;
    std::string m_strName;
    // The two ratings in daN and a third value.
    double m_dWert1 = 0.0;
    double m_dWert2 = 0.0;
    double m_dWert3 = 0.0;
    int m_nAnzahl = 1;
    int m_nReserve = 0;
};
