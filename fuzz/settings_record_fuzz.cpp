// Fuzz target: the reader of the 3D settings record file on any content. A record that reads passes
// the value check and writes back as the same bytes.
#include "FuzzFile.h"
#include "view3d/D3DSettingsRecord.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = QString::fromStdString(WriteFuzzFile("Direct3D.tbc", data, size).string());
    GlSettingsRecord record{};
    QString why;
    if (!D3DSettingsRecord::Load(path, &record, &why)) {
        if (why.isEmpty())
            std::abort();
        return 0;
    }
    if (size != D3DSettingsRecord::kSize || !std::equal(record.begin(), record.end(), data) ||
        !D3DSettingsRecord::Check(record))
        std::abort();
    return 0;
}
