// The program's catalogue pictures as the trees use them: the shared image list and its first index.
#pragma once

#include <QIcon>

class ImageList;

class CatalogueImages
{
public:
    // Offsets from the first catalogue index.
    static constexpr int kFree = 0;      // + vehicle kind
    static constexpr int kInUse = 6;     // + vehicle kind
    static constexpr int kKombiZug = 12; // combination with a truck; + 2 in use
    static constexpr int kKombiSzm = 13; // combination with a tractor unit; + 2 in use
    static constexpr int kFolder = 16;
    static constexpr int kSampleFolder = 17;
    static constexpr int kLoadUnit = 18; // + load-unit kind
    static constexpr int kCount = 23;

    // The list the application built at start-up; not owned. Null clears it.
    static void Set(const ImageList* list, int first);
    static const ImageList* List();
    static int First();
    // The picture at an absolute index of the list; a null icon when it has none.
    static QIcon Icon(int index);
    // Whether the list has a picture at the index.
    static bool Has(int index);
};
