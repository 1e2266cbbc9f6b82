#include "SqliteStatement.h"

#include <string>

namespace ov {

SqliteStatement::SqliteStatement(sqlite3* database, const char* sql)
    : m_prepared(sqlite3_prepare_v2(database, sql, -1, &m_statement, nullptr)) {}

SqliteStatement& SqliteStatement::bind(int index, const String& text) {
    const std::string utf8 = text.toUtf8();
    sqlite3_bind_text(m_statement, index, utf8.data(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const std::optional<Data>& bytes) {
    if (!bytes) {
        sqlite3_bind_null(m_statement, index);
    } else {
        // A zero-length blob, not a null one: empty image data stays empty.
        sqlite3_bind_blob64(m_statement, index, bytes->isEmpty() ? "" : bytes->view().data(),
                            bytes->length(), SQLITE_TRANSIENT);
    }
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::optional<long> number) {
    if (number)
        sqlite3_bind_int64(m_statement, index, *number);
    else
        sqlite3_bind_null(m_statement, index);
    return *this;
}

int SqliteStatement::step() {
    if (m_prepared != SQLITE_OK) return m_prepared;
    return sqlite3_step(m_statement);
}

String SqliteStatement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    if (!bytes) return {};
    return String(std::string_view(bytes, sqlite3_column_bytes(m_statement, column)));
}

std::optional<Data> SqliteStatement::blob(int column) const {
    if (sqlite3_column_type(m_statement, column) == SQLITE_NULL) return std::nullopt;
    const void* bytes = sqlite3_column_blob(m_statement, column);
    return Data(bytes, sqlite3_column_bytes(m_statement, column));
}

std::optional<long> SqliteStatement::integer(int column) const {
    if (sqlite3_column_type(m_statement, column) == SQLITE_NULL) return std::nullopt;
    return static_cast<long>(sqlite3_column_int64(m_statement, column));
}

}  // namespace ov
