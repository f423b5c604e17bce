// Writes the sample vehicles and load units of the program folder: make_samples <Samples folder>.
//
//   Vehicles/LKW.qor    rigid truck, two axles, 18 t, 7.0 m body, trailer coupling
//   Vehicles/KEP.qor    van, 3.5 t
//   Vehicles/SZM.qor    4x2 semi-trailer tractor
//   Vehicles/GDA.qor    two-axle drawbar trailer;   GDA_2.qor three-axle drawbar trailer
//   Vehicles/SDA.qor    two-axle rigid-drawbar trailer
//   Vehicles/SAH.qor    three-axle 13.6 m semi-trailer; SAH_2.qor refrigerated, 13.3 m
//   Load units/EP.lgs, IP.lgs, GB.lgs   euro pallet, industrial pallet, mesh box pallet
//   Load units/Data/ep.dat, ip.dat, gb.dat   their pictures (PNG)
//
// Every vehicle but the tractor has an empty loading plan, lashing points and lashing rails on its load
// area. The files are written with the model's own writers, so they always have the current layout.
#include "SampleVehicles.h"

#include "model/files/FahrzeugImpExp.h"
#include "model/files/VehicleFiles.h"
#include "model/files/tagItemData.h"
#include "model/vehicle/CFahrzeug.h"

#include <QImage>
#include <QPainter>

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool SchreibeFahrzeug(const fs::path& folder, const SampleVehicle& sample)
{
    std::unique_ptr<CFahrzeug> f = BuildSampleVehicle(sample);
    const std::string name = std::string(sample.file) + ".qor";
    int index = -1;
    std::unique_ptr<LockedFile> file;
    if (!WriteFahrzeugToFile(f.get(), folder, &index, name, &file, 0, "")) {
        std::fprintf(stderr, "make_samples: cannot write %s\n", (folder / name).c_str());
        return false;
    }
    return true;
}

// A loaded pallet seen from one side (`laenge` wide): boards and blocks below, the goods above. A mesh box
// pallet is drawn as a wire-mesh box on its pallet.
QImage ZeichnePalette(double laenge, double hoehe, bool gitterbox)
{
    const int w = 240;
    const int h = static_cast<int>(w * hoehe / laenge) + 20;
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor holz(196, 150, 98), dunkel(120, 84, 48);
    const int fuss = static_cast<int>(w * 0.144 / laenge);
    const int basis = h - 2;
    // Blocks and boards.
    p.setPen(QPen(dunkel, 1.5));
    p.setBrush(holz);
    p.drawRect(QRectF(2, basis - 4, w - 4, 4));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(2 + i * (w - 4 - 30) / 2.0, basis - fuss + 4, 30, fuss - 8));
    p.drawRect(QRectF(2, basis - fuss, w - 4, 5));
    const QRectF ladung(6, 2, w - 12, basis - fuss - 2);
    if (gitterbox) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(90, 90, 96), 3));
        p.drawRect(ladung);
        p.setPen(QPen(QColor(120, 120, 128), 1));
        for (double x = ladung.left(); x < ladung.right(); x += 12)
            p.drawLine(QPointF(x, ladung.top()), QPointF(x, ladung.bottom()));
        for (double y = ladung.top(); y < ladung.bottom(); y += 12)
            p.drawLine(QPointF(ladung.left(), y), QPointF(ladung.right(), y));
    } else {
        p.setPen(QPen(QColor(150, 110, 60), 1.5));
        p.setBrush(QColor(222, 190, 140));
        const int reihen = 4;
        const double rh = ladung.height() / reihen;
        for (int r = 0; r < reihen; ++r) {
            const int spalten = 3;
            const double sw = ladung.width() / spalten;
            for (int s = 0; s < spalten; ++s)
                p.drawRect(QRectF(ladung.left() + s * sw, ladung.top() + r * rh, sw, rh));
        }
    }
    p.end();
    return img;
}

bool SchreibeLadeeinheit(const fs::path& folder, const char* name, const char* text, int art, double l,
                         double b, double hoehe, double masse, const char* bild, bool gitterbox)
{
    tagItemData item;
    item.m_nArt = art;
    item.m_dLaenge = l;
    item.m_dBreite = b;
    item.m_dHoehe = hoehe;
    item.m_dSPLaenge = l / 2;
    item.m_dSPBreite = b / 2;
    item.m_dSPHoehe = hoehe / 2;
    item.m_dMasse = masse;
    item.m_strText = text;
    item.m_strName = name;
    if (!SaveItemDataFile(folder / (std::string(name) + ".lgs"), item)) {
        std::fprintf(stderr, "make_samples: cannot write %s.lgs\n", name);
        return false;
    }
    const fs::path data = folder / "Data";
    fs::create_directories(data);
    // Pallets are seen from their narrow side, the mesh box from its long side.
    const QImage img = ZeichnePalette(gitterbox ? l : b, hoehe, gitterbox);
    if (!img.save(QString::fromStdString((data / bild).string()), "PNG")) {
        std::fprintf(stderr, "make_samples: cannot write %s\n", bild);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_samples <Samples folder>\n");
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path fahrzeuge = root / "Vehicles";
    const fs::path einheiten = root / "Load units";
    fs::create_directories(fahrzeuge);
    fs::create_directories(einheiten);
    bool ok = true;
    for (const SampleVehicle& s : SampleVehicles()) {
        fs::remove(fahrzeuge / (std::string(s.file) + ".qor"));
        ok = SchreibeFahrzeug(fahrzeuge, s) && ok;
    }
    ok = SchreibeLadeeinheit(einheiten, "EP", "Euro pallet 1200 x 800", 0, 1.2, 0.8, 1.0, 0.5, "ep.dat",
                             false) &&
         ok;
    ok = SchreibeLadeeinheit(einheiten, "IP", "Industrial pallet 1200 x 1000", 1, 1.2, 1.0, 1.0, 0.6,
                             "ip.dat", false) &&
         ok;
    ok = SchreibeLadeeinheit(einheiten, "GB", "Mesh box pallet 1240 x 835 x 970", 2, 1.24, 0.835, 0.97, 0.4,
                             "gb.dat", true) &&
         ok;
    return ok ? 0 : 1;
}
