// What the main window checks of vehicle files before and after opening them, without a window: the
// message for a file that cannot be opened, whether a document shows a file, the kind of vehicle a
// file starts with and the copy a new combination starts from.
#pragma once

#include <QString>

class CQOR1Doc;

class VehicleFileChecks
{
public:
    // What is wrong with a file that could not be opened: missing, too new, of the first version, or
    // damaged (texts 61001 to 61003, or the reader's own words with the path).
    static QString OpenErrorText(const QString& path);
    // The same file, however the two paths are written.
    static bool SamePath(const QString& a, const QString& b);
    // 0 when the document (or none) shows another file, 1 when it shows `path` with `entry` as its
    // first vehicle (-1: whichever), 2 when `entry` is its second vehicle.
    static int OpenState(const CQOR1Doc* doc, const QString& path, int entry);
    // Whether the file's first vehicle is a motor vehicle (rigid truck, tractor or their sub-type).
    static bool StartsWithMotorVehicle(const QString& path);
    // The towing vehicle's file copied to `newPath`, the start of a new combination; false when a file
    // is missing, `newPath` exists already or the copy fails.
    static bool CopyForCombination(const QString& zugPath, const QString& newPath,
                                   const QString& anhaengerPath);
};
