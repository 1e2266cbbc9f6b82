#pragma once
// One prepared SQLite statement, finalised when it goes; binds and reads the platform's
// values. Texts are stored as UTF-8.

#include <sqlite3.h>

#include <optional>

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/String.h"

namespace ov {

class SqliteStatement {
  public:
    SqliteStatement(sqlite3* database, const char* sql);
    ~SqliteStatement() { sqlite3_finalize(m_statement); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters count from 1; a failed preparation makes every step fail.
    SqliteStatement& bind(int index, const String& text);
    SqliteStatement& bind(int index, const std::optional<Data>& bytes);
    SqliteStatement& bind(int index, std::optional<long> number);

    // SQLITE_ROW, SQLITE_DONE or the error code (the database's message tells more).
    int step();

    // Columns count from 0.
    String text(int column) const;
    std::optional<Data> blob(int column) const;
    std::optional<long> integer(int column) const;

  private:
    sqlite3_stmt* m_statement = nullptr;
    int m_prepared;
};

}  // namespace ov
