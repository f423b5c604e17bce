// Fuzz target: the reader of the 3D settings record file on any content. A record that reads passes
// the value check and writes back as the same bytes.
#include "FuzzFile.h"
#include "view3d/Settings3DRecord.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = QString::fromStdString(WriteFuzzFile("Direct3D.tbc", data, size).string());
    GlSettingsRecord record{};
    QString why;
    if (!Settings3DRecord::Load(path, &record, &why)) {
        if (why.isEmpty())
            std::abort();
        return 0;
    }
    if (size != Settings3DRecord::kSize || !std::equal(record.begin(), record.end(), data) ||
        !Settings3DRecord::Check(record))
        std::abort();
    return 0;
}
