// SPDX-License-Identifier: GPL-3.0-or-later
// A thin owner of an SQLite connection and its statements. Every failure is an
// mk::Error whose text names the database file and says in the user's words
// what went wrong (a damaged file, a full disk, a file another program holds).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace mk::history {

class Database;

class Statement {
 public:
  Statement(Database& db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  /// Parameters count from 1, as in SQL's ?1.
  Statement& Bind(int index, std::int64_t value);
  Statement& Bind(int index, double value);
  Statement& Bind(int index, std::string_view text);
  Statement& BindBlob(int index, const std::vector<std::uint8_t>& bytes);
  Statement& BindNull(int index);

  /// True while a row is there to read; false when the statement is done.
  bool Step();
  /// Runs a statement that returns no rows.
  void Run();
  /// Ready to run again, with the parameters cleared.
  void Reset();

  std::int64_t Int(int column) const;
  double Real(int column) const;
  std::string Text(int column) const;
  std::vector<std::uint8_t> Blob(int column) const;
  bool IsNull(int column) const;

 private:
  Database& db_;
  sqlite3_stmt* stmt_ = nullptr;
};

class Database {
 public:
  /// Opens or creates the file. mk::Error when the file cannot be opened.
  explicit Database(const std::filesystem::path& path);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  /// Runs one or more statements that return no rows.
  void Exec(std::string_view sql);
  /// The first column of the first row, or `fallback` when there is none.
  std::int64_t QueryInt(std::string_view sql, std::int64_t fallback = 0);
  std::int64_t LastInsertId() const;
  int Changes() const;

  /// The mk::Error for SQLite's result `code`: what it means for the user,
  /// with the file named.
  [[noreturn]] void Fail(int code) const;
  const std::filesystem::path& Path() const { return path_; }
  sqlite3* Handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  std::filesystem::path path_;
};

/// The explanation of an SQLite result code in Russian, without the file.
std::string ReasonText(int code);

/// One transaction: BEGIN IMMEDIATE (waiting for another program's
/// transaction to end), COMMIT on Commit(), ROLLBACK when left without it.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Database& db_;
  bool open_ = true;
};

}  // namespace mk::history
