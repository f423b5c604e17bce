// The check of a Qt binary resource bundle (".rcc") before it is handed to Qt's resource system.
#pragma once

#include <QByteArrayView>
#include <QString>

// True when `bundle` is a resource bundle whose every part lies inside it: the header, each node of the
// tree reachable from the root (each reached once, so the tree has no loops), each name and each item's
// data (each name a plain part of a path), and, for a compressed item, an unpacked length of at most
// `itemLimit` bytes. Qt reads a registered bundle without any such check, so nothing else may be registered.
// False with `why` set otherwise.
bool CheckRccBundle(QByteArrayView bundle, qint64 itemLimit, QString* why = nullptr);
