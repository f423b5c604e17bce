// Loads a sample vehicle written by the build into Samples/ beside the test programs.
#pragma once

#include "model/files/FahrzeugImpExp.h"
#include "model/vehicle/CFahrzeug.h"

#include <filesystem>
#include <memory>
#include <string>

inline std::unique_ptr<CFahrzeug> LoadSampleVehicle(const std::string& title)
{
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    return LoadFahrzeugFromFile(samples / "Vehicles" / (title + ".qor"), 0, nullptr, nullptr, false, nullptr);
}
