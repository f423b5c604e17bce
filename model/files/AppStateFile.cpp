// The application states of "AppParams.ser".
#include "model/files/AppStateFile.h"

#include "model/archive/ArchiveReader.h"
#include "model/archive/ArchiveWriter.h"
#include "model/base/LockedFile.h"

#include <iterator>

namespace {

// The longest file taken: a state takes some hundred bytes, one for each file the user opened.
constexpr std::size_t kGroessteDatei = std::size_t{16} << 20;

std::unique_ptr<CAppStateParams> DefaultState()
{
    auto p = std::make_unique<CAppStateParams>();
    const int werte[5] = {0, 0, 1, 400, 0};
    for (int i = 0; i < 5; ++i)
        p->m_nWert[i] = werte[i];
    p->m_Werte = {0, 1, 2, 4};
    for (int i = 0; i < 2; ++i) {
        auto a = std::make_unique<CANSICHT3DParams>();
        a->m_v1 = {0.0f, 1.5f, -1.0f};
        a->m_v2 = {-0.8f, 1.9f, -2.99f};
        p->m_Ansichten.push_back(std::move(a));
    }
    return p;
}

} // namespace

bool LoadAppStateParams(const std::filesystem::path& path, AppStateMap& map)
{
    bool bGelesen = false;
    std::vector<std::uint8_t> data;
    if (LockedFile::ReadFile(path, data, kGroessteDatei)) {
        AppStateMap gelesen;
        // A state that a later one of the same name replaces stays alive until the reading ends: the
        // reader looks at every object it has read when the stream refers back to one.
        std::vector<std::unique_ptr<CAppStateParams>> ersetzt;
        try {
            ArchiveReader ar(data, path.string());
            const std::uint32_t n = ar.ReadCount(3);
            for (std::uint32_t i = 0; i < n; ++i) {
                std::string name = ar.ReadString();
                auto p = ar.ReadOwnedObject<CAppStateParams>();
                if (!p)
                    continue;
                auto& platz = gelesen[name];
                if (platz)
                    ersetzt.push_back(std::move(platz));
                platz = std::move(p);
            }
            map = std::move(gelesen);
            bGelesen = true;
        } catch (const ArchiveError&) {
            // A damaged file counts as missing.
        }
    }
    if (!map.count("default"))
        map["default"] = DefaultState();
    return bGelesen;
}

CAppStateParams* GetAppStateParams(const AppStateMap& map, const char* name)
{
    if (name) {
        const auto it = map.find(name);
        if (it != map.end())
            return it->second.get();
    }
    const auto it = map.find("default");
    return it == map.end() ? nullptr : it->second.get();
}

std::vector<std::uint8_t> StoreAppStateMap(const AppStateMap& map)
{
    ArchiveWriter ar;
    ar.WriteCount(map.size());
    for (const auto& [name, p] : map) {
        ar.WriteString(name);
        ar.WriteObject(p.get());
    }
    return ar.TakeData();
}

bool SaveAppStateParams(const std::filesystem::path& path, const AppStateMap& map, std::string* error)
{
    return LockedFile::WriteFile(path, StoreAppStateMap(map), error);
}
