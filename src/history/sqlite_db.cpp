// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/sqlite_db.h"

#include <sqlite3.h>

#include "device/atomic_file.h"
#include "text/error.h"
#include "text/utf8_path.h"

namespace mk::history {
namespace {

// How long a program waits for another one's transaction (the window and
// mkctl importing at once) before it gives up.
constexpr int kBusyTimeoutMs = 15000;

}  // namespace

std::string ReasonText(int code) {
  switch (code & 0xFF) {
    case SQLITE_NOTADB:
      return "файл не является базой истории (повреждён или это чужой файл)";
    case SQLITE_CORRUPT:
      return "база истории повреждена";
    case SQLITE_FULL:
      return "нет места на диске";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "база истории занята другой программой";
    case SQLITE_READONLY:
    case SQLITE_PERM:
      return "нет прав на запись";
    case SQLITE_CANTOPEN:
      return "файл не открывается";
    case SQLITE_IOERR:
      return "ошибка ввода-вывода";
    case SQLITE_NOMEM:
      return "не хватает памяти";
    default:
      return sqlite3_errstr(code);
  }
}

Database::Database(const std::filesystem::path& path) : path_(path) {
  const std::string name = text::PathText(path);
  const int rc =
      sqlite3_open_v2(name.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db_);
    db_ = nullptr;
    Fail(rc);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
}

Database::~Database() {
  sqlite3_close_v2(db_);
}

void Database::Fail(int code) const {
  throw Error("История поездок «" + text::PathText(path_) + "»: " + ReasonText(code) + ".");
}

void Database::Exec(std::string_view sql) {
  const std::string text(sql);
  const int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) Fail(rc);
}

std::int64_t Database::QueryInt(std::string_view sql, std::int64_t fallback) {
  Statement s(*this, sql);
  return s.Step() ? s.Int(0) : fallback;
}

std::int64_t Database::LastInsertId() const {
  return sqlite3_last_insert_rowid(db_);
}

int Database::Changes() const {
  return sqlite3_changes(db_);
}

Statement::Statement(Database& db, std::string_view sql) : db_(db) {
  const int rc =
      sqlite3_prepare_v2(db.Handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
  if (rc != SQLITE_OK) db_.Fail(rc);
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, std::int64_t value) {
  if (const int rc = sqlite3_bind_int64(stmt_, index, value); rc != SQLITE_OK) db_.Fail(rc);
  return *this;
}

Statement& Statement::Bind(int index, double value) {
  if (const int rc = sqlite3_bind_double(stmt_, index, value); rc != SQLITE_OK) db_.Fail(rc);
  return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
  const int rc =
      sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) db_.Fail(rc);
  return *this;
}

Statement& Statement::BindBlob(int index, const std::vector<std::uint8_t>& bytes) {
  // An empty vector has no data pointer, and a null one would bind NULL.
  static constexpr std::uint8_t kNothing = 0;
  const int rc = sqlite3_bind_blob(stmt_, index, bytes.empty() ? &kNothing : bytes.data(),
                                   static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) db_.Fail(rc);
  return *this;
}

Statement& Statement::BindNull(int index) {
  if (const int rc = sqlite3_bind_null(stmt_, index); rc != SQLITE_OK) db_.Fail(rc);
  return *this;
}

bool Statement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  db_.Fail(rc);
}

void Statement::Run() {
  while (Step()) {
  }
  Reset();
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

std::int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

double Statement::Real(int column) const {
  return sqlite3_column_double(stmt_, column);
}

std::string Statement::Text(int column) const {
  const auto* text = sqlite3_column_text(stmt_, column);
  if (text == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

std::vector<std::uint8_t> Statement::Blob(int column) const {
  const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
  const int size = sqlite3_column_bytes(stmt_, column);
  if (data == nullptr || size <= 0) return {};
  return std::vector<std::uint8_t>(data, data + size);
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

Transaction::Transaction(Database& db) : db_(db) {
  db_.Exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (open_) sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
  db_.Exec("COMMIT");
  open_ = false;
}

}  // namespace mk::history
