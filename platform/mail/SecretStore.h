// The desktop's secret store (the Secret Service or KWallet, through QtKeychain) for the mail password:
// kept there or nowhere, never in a file of the program's own.
#pragma once

#include <QString>

namespace SecretStore {

// The password kept under `key`; empty when none is kept or no store answered. *pAvailable tells
// whether a store answered at all (a missing entry counts as an answer).
QString Read(const QString& key, bool* pAvailable = nullptr);
// Keeps `password` under `key`; false when no store took it.
bool Write(const QString& key, const QString& password);
// Removes what is kept under `key`; true when nothing is kept there afterwards.
bool Remove(const QString& key);
// Whether a store answers on this desktop.
bool IsAvailable();

} // namespace SecretStore
