// Thrown after a catalogue item was read in an older layout: the caller writes it again.
#pragma once

#include <exception>
#include <string>

class CReSaveException : public std::exception
{
public:
    explicit CReSaveException(std::string path) : m_strPath(std::move(path)) {}

    const char* what() const noexcept override { return "catalogue item read in an older layout"; }

    // The item's file path as the loaded record holds it.
    std::string m_strPath;
};
