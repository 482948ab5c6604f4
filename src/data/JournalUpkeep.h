#pragma once

#include "data/IniFile.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace tamevo {

// The program's settings file FirmaAyar.ini in the user's data folder.
IniFile programSettingsFile();

// The computer and the system user the program runs on and as, as the journal records them.
QString computerName();
QString systemUserName();

// Makes the journal entries that changes on `db` write carry this computer and system user.
// Entries written by another program on the same file keep them empty. The connection must
// have a cash-book database with its journal open (ensureJournal). Throws Error.
void identifyJournalWriter(QSqlDatabase& db);

// How many days the journal keeps an entry (FirmaAyar.ini, section "Gecmis", key
// "SaklamaGun"); 0, the default, keeps every entry of the working year. A value that is not a
// whole number from 0 to kMaxJournalKeepingDays reads as 0.
constexpr int kMaxJournalKeepingDays = 366;
int journalKeepingDays();
// Throws Error when the settings file cannot be written.
void setJournalKeepingDays(int days);

// Removes, in one transaction, the journal entries made before `today` minus `keepDays` days;
// with 0 days nothing is removed. Returns how many were removed. Throws Error.
int pruneJournal(QSqlDatabase& db, int keepDays, const QDate& today);

}  // namespace tamevo
