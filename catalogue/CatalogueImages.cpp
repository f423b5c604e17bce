// The program's catalogue pictures as the trees use them: the shared image list and its first index.
#include "catalogue/CatalogueImages.h"

#include "ui/ImageList.h"

#include <QPixmap>

namespace {

const ImageList* s_list = nullptr;
int s_first = 0;

} // namespace

void CatalogueImages::Set(const ImageList* list, int first)
{
    s_list = list;
    s_first = list ? first : 0;
}

const ImageList* CatalogueImages::List()
{
    return s_list;
}

int CatalogueImages::First()
{
    return s_first;
}

bool CatalogueImages::Has(int index)
{
    return s_list && index >= 0 && index < s_list->Count();
}

QIcon CatalogueImages::Icon(int index)
{
    if (!Has(index))
        return QIcon();
    return QIcon(QPixmap::fromImage(s_list->Image(index)));
}
