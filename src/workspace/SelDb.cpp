// Reads the start-selection database through SQLite; every failure of the
// library ends here as one message and an empty result.
#include "workspace/SelDb.h"

#include "model/core/MessageBoxes.h"
#include "platform/CodePage.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <strings.h>

namespace orv {

CSelRecordset::CSelRecordset(std::vector<std::string> columns, std::vector<std::vector<SelValue>> rows)
    : m_open(true), m_columns(std::move(columns)), m_rows(std::move(rows))
{
}

void CSelRecordset::SetAbsolutePosition(int pos)
{
    m_pos = pos < 0 ? m_rows.size() : std::min(static_cast<size_t>(pos), m_rows.size());
}

const SelValue* CSelRecordset::Field(const std::string& column) const
{
    if (IsEof())
        return nullptr;
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (strcasecmp(m_columns[i].c_str(), column.c_str()) == 0)
            return i < m_rows[m_pos].size() ? &m_rows[m_pos][i] : nullptr;
    return nullptr;
}

std::string CSelRecordset::GetFieldStr(const std::string& column) const
{
    const SelValue* v = Field(column);
    if (!v)
        return {};
    if (const auto* s = std::get_if<std::string>(v))
        return *s;
    if (const auto* i = std::get_if<int64_t>(v))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(v))
        return std::to_string(*d);
    return {};
}

int32_t CSelRecordset::GetFieldLong(const std::string& column) const
{
    const SelValue* v = Field(column);
    if (!v)
        return 0;
    // Out-of-range values are clamped rather than wrapped: a damaged file
    // must not turn a large limit into a negative one.
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    if (const auto* i = std::get_if<int64_t>(v))
        return static_cast<int32_t>(std::clamp(*i, lo, hi));
    if (const auto* d = std::get_if<double>(v)) {
        if (std::isnan(*d))
            return 0;
        return static_cast<int32_t>(std::clamp(*d, static_cast<double>(lo), static_cast<double>(hi)));
    }
    if (const auto* s = std::get_if<std::string>(v))
        return static_cast<int32_t>(std::clamp<long long>(std::strtoll(s->c_str(), nullptr, 10), lo, hi));
    return 0;
}

bool CSelRecordset::GetFieldBool(const std::string& column) const
{
    const SelValue* v = Field(column);
    if (const auto* d = v ? std::get_if<double>(v) : nullptr)
        return *d != 0.0;
    return GetFieldLong(column) != 0;
}

float CSelRecordset::GetFieldFloat(const std::string& column) const
{
    const SelValue* v = Field(column);
    if (!v)
        return 0.0f;
    if (const auto* d = std::get_if<double>(v))
        return static_cast<float>(*d);
    if (const auto* i = std::get_if<int64_t>(v))
        return static_cast<float>(*i);
    if (const auto* s = std::get_if<std::string>(v))
        return std::strtof(s->c_str(), nullptr);
    return 0.0f;
}

CSelDb::~CSelDb()
{
    Close();
}

bool CSelDb::Open(const std::string& path)
{
    Close();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    // Opening is lazy: a file that is no database fails only at its first
    // read, so the schema is read once here to report it now.
    std::string reason;
    if (rc != SQLITE_OK)
        reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    else if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK)
        reason = sqlite3_errmsg(db);
    if (!reason.empty()) {
        sqlite3_close(db);
        ShowBox(MsgKind::InternalError, "Could not open database " + path + ": " + reason, 0);
        return false;
    }
    m_db = db;
    return true;
}

bool CSelDb::Create(const std::string& path)
{
    Close();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    m_db = db;
    return true;
}

void CSelDb::Close()
{
    if (m_db)
        sqlite3_close(m_db);
    m_db = nullptr;
}

bool CSelDb::ExecScript(const std::string& sql, std::string* error)
{
    if (!m_db) {
        if (error)
            *error = "database not open";
        return false;
    }
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    if (error)
        *error = message ? message : sqlite3_errmsg(m_db);
    sqlite3_free(message);
    return false;
}

namespace {

SelValue ColumnValue(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return static_cast<int64_t>(sqlite3_column_int64(stmt, i));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, i);
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        const int size = sqlite3_column_bytes(stmt, i);
        return FromUtf8(std::string_view(text ? text : "", text ? static_cast<size_t>(size) : 0),
                        CodePage::Cp1252);
    }
    default:
        return std::monostate{};
    }
}

} // namespace

CSelRecordset CSelDb::Query(const std::string& sql, const std::vector<SelParam>& params) const
{
    if (!m_db)
        return {};
    sqlite3_stmt* stmt = nullptr;
    bool ok = sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && stmt;
    for (size_t i = 0; ok && i < params.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        if (const auto* n = std::get_if<int64_t>(&params[i])) {
            ok = sqlite3_bind_int64(stmt, index, *n) == SQLITE_OK;
        } else {
            const std::string utf8 = ToUtf8(std::get<std::string>(params[i]), CodePage::Cp1252);
            ok = sqlite3_bind_text(stmt, index, utf8.c_str(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT) ==
                 SQLITE_OK;
        }
    }
    std::vector<std::string> columns;
    std::vector<std::vector<SelValue>> rows;
    if (ok) {
        const int n = sqlite3_column_count(stmt);
        for (int i = 0; i < n; ++i) {
            const char* name = sqlite3_column_name(stmt, i);
            columns.emplace_back(name ? name : "");
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            std::vector<SelValue>& row = rows.emplace_back();
            for (int i = 0; i < n; ++i)
                row.push_back(ColumnValue(stmt, i));
        }
        ok = rc == SQLITE_DONE;
    }
    sqlite3_finalize(stmt);
    if (!ok) {
        // Unformatted: a statement is longer than a formatted box text.
        ShowBox(MsgKind::InternalError, "Invalid query:" + sql, 0);
        return {};
    }
    return CSelRecordset(std::move(columns), std::move(rows));
}

} // namespace orv
