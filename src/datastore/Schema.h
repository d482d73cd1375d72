#pragma once
// The CREATE TABLE statements of both database files. Stored files keep the definitions their
// tables were first created with (including the missing commas of a few old statements), so the
// texts below are fixed and a table that exists is never altered.

#include <vector>

#include "Records.h"

class SqlDatabase;

struct TableDefinition {
    const char16_t* name;
    const char16_t* createSql;
};

// pigeons.db, the tables LoadLofts creates: kategoria_id, hodowla, kategoria.
const std::vector<TableDefinition>& LoftTables();
// pigeons.db, the tables LoadPigeonsDb creates: pigeons … transakcje.
const std::vector<TableDefinition>& PigeonTables();
// dodatkowe_informacje.db: kolory … hodowcy.
const std::vector<TableDefinition>& ExtraTables();

// Creates each table that is missing; existing tables are left exactly as they are.
void CreateTables(SqlDatabase& db, const std::vector<TableDefinition>& tables);
