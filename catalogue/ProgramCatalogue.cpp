// The program's shared catalogue, held weakly between uses.
#include "catalogue/ProgramCatalogue.h"

namespace {

CatalogueFolders& FolderSlot()
{
    static CatalogueFolders folders;
    return folders;
}

std::weak_ptr<CHlbCatalogue>& CatalogueSlot()
{
    static std::weak_ptr<CHlbCatalogue> catalogue;
    return catalogue;
}

} // namespace

void ProgramCatalogue::SetFolders(const CatalogueFolders& folders)
{
    FolderSlot() = folders;
}

const CatalogueFolders& ProgramCatalogue::Folders()
{
    return FolderSlot();
}

std::shared_ptr<CHlbCatalogue> ProgramCatalogue::Get()
{
    std::shared_ptr<CHlbCatalogue> catalogue = CatalogueSlot().lock();
    if (!catalogue) {
        catalogue = std::make_shared<CHlbCatalogue>(FolderSlot());
        CatalogueSlot() = catalogue;
    }
    return catalogue;
}
