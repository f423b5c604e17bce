// The failure of the vehicle-file reader that is not an archive fault: a version-1 file (with the vehicle
// read from it) or a file of a newer schema than this program reads.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

class CFahrzeug;

class CImpExpException : public std::runtime_error
{
public:
    CImpExpException(const std::string& message, int version, std::shared_ptr<CFahrzeug> fahrzeug = {})
        : std::runtime_error(message), m_nVersion(version), m_pFahrzeug(std::move(fahrzeug))
    {
    }

    int GetVersion() const { return m_nVersion; }
    // The vehicle of a version-1 file, or null. A catcher that keeps it takes it over; otherwise it is
    // deleted with the last copy of the exception.
    const std::shared_ptr<CFahrzeug>& GetFahrzeug() const { return m_pFahrzeug; }

private:
    int m_nVersion;
    std::shared_ptr<CFahrzeug> m_pFahrzeug;
};
