// The start-selection database: an SQLite file opened read-only, statements
// with bound parameters, and the rows they give as a recordset read by column.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;

namespace orv {

// One value of a row: NULL, a whole number, a real number or a text (cp1252
// bytes once read).
using SelValue = std::variant<std::monostate, int64_t, double, std::string>;

// The rows one statement gave, held whole: the start selection reads a few
// hundred rows at most, and a held copy cannot go stale when the database
// goes. Columns are found by name without regard to case.
class CSelRecordset {
public:
    CSelRecordset() = default;
    CSelRecordset(std::vector<std::string> columns, std::vector<std::vector<SelValue>> rows);

    bool IsOpen() const { return m_open; }
    // At the end (or empty) right after opening.
    bool IsEof() const { return m_pos >= m_rows.size(); }
    void MoveFirst() { m_pos = 0; }
    void MoveNext()
    {
        if (m_pos < m_rows.size())
            ++m_pos;
    }
    int GetAbsolutePosition() const { return IsEof() ? -1 : static_cast<int>(m_pos); }
    // Positions outside the rows leave the recordset at its end.
    void SetAbsolutePosition(int pos);
    int GetRecordCount() const { return static_cast<int>(m_rows.size()); }

    // The current row's value of a column; NULL, a missing column or no
    // current row give "", 0, false and 0.0.
    std::string GetFieldStr(const std::string& column) const;
    int32_t GetFieldLong(const std::string& column) const;
    bool GetFieldBool(const std::string& column) const;
    float GetFieldFloat(const std::string& column) const;

private:
    const SelValue* Field(const std::string& column) const;

    bool m_open = false;
    std::vector<std::string> m_columns;
    std::vector<std::vector<SelValue>> m_rows;
    size_t m_pos = 0;
};

// A statement parameter: a whole number or a text (UTF-8 is passed on as
// given; the queries bind cp1252 names after conversion).
using SelParam = std::variant<int64_t, std::string>;

// The database connection. Nothing here writes the shipped file: it opens
// read-only; the writable in-memory form serves the generator and the tests.
class CSelDb {
public:
    CSelDb() = default;
    ~CSelDb();
    CSelDb(const CSelDb&) = delete;
    CSelDb& operator=(const CSelDb&) = delete;

    // Opens the file read-only. A failure shows "Could not open database"
    // with the path and SQLite's reason once and leaves the database closed,
    // so that every query comes back empty.
    bool Open(const std::string& path);
    // A writable database in memory, or a new file when a path is given.
    bool Create(const std::string& path = ":memory:");
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    // Runs a script of statements (the SQL executor of the generator and the
    // tests); false with SQLite's reason in error on the first failure.
    bool ExecScript(const std::string& sql, std::string* error = nullptr);

    // Runs one statement with its parameters bound in order. A failure shows
    // "Invalid query:" and the statement once and gives a closed, empty
    // recordset; it is not retried, since it would fail alike.
    CSelRecordset Query(const std::string& sql, const std::vector<SelParam>& params) const;

    sqlite3* Handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

} // namespace orv
