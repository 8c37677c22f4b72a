// The small data access layer every database read and write goes through: catalogues (book.sd), the basket
// (order.mdb) and price spreadsheets. It accepts the classic connection texts and query texts unchanged.
//
//   Connection c;  c.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False");
//   Recordset rs;  rs.Open("select * from tblBook where 1 ", c);
//   while (!rs.Eof()) { QVariant v = rs.Fields("图号"); rs.MoveNext(); }
//
// Every failure throws DataError with a message naming the file and the cause.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

class DataError : public std::runtime_error {
public:
    DataError(const QString& file, const QString& cause);
    QString File() const { return file_; }
    QString Cause() const { return cause_; }
    QString Message() const;   // "<file>: <cause>"
private:
    QString file_;
    QString cause_;
};

// A value put into a query text between single quotes: every single quote doubled.
QString SqlText(const QString& value);

// The connection texts of the catalogue and basket files and of the price spreadsheet.
QString DatabaseConnectionText(const QString& path);
QString SpreadsheetConnectionText(const QString& path);

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int CursorLocation = 3;   // client-side; kept for the callers that set it

    // Opens the database or spreadsheet named by the connection text. Never creates a database file.
    void Open(const QString& connectionText, const QString& user = QString(), const QString& password = QString(),
              int options = -1);
    // Runs a statement that returns no rows (update, delete, insert).
    void Execute(const QString& sql);
    void Close();
    bool IsOpen() const;
    int State() const { return IsOpen() ? 1 : 0; }
    QString FilePath() const;

    // For the layer's own use (record sets, transactions).
    sqlite3* Handle() const;
    // Before the first write to a Jet file: upgrades it in place to SQLite and reopens it (a Jet file is read
    // through a read-only converted copy and is never written into). Does nothing for other files.
    void PrepareToWrite();
    bool IsSpreadsheet() const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }
private:
    std::unique_ptr<Impl> impl_;
};

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Runs the query and keeps its rows (a client-side cursor, so RecordCount is exact).
    void Open(const QString& sql, Connection& connection, int cursorType = 1, int lockType = 3, int options = -1);
    bool IsOpen() const;
    bool Eof() const;
    void MoveFirst();
    void MoveNext();
    int RecordCount() const;

    // Value of the current row's column (Chinese names exactly, brackets optional); Null is a null QVariant.
    QVariant Fields(const QString& name) const;
    QStringList FieldNames() const;

    // Appends an empty row and makes it current; SetField assigns; Update saves the current row
    // (new rows are inserted, changed rows written back by their row identity).
    // Only the rows of a select from one table can be saved: the layer reads each row's rowid with it
    // (the query text runs once more with the rowid in front of its columns); other record sets are read-only
    // and AddNew/SetField throw. Moving to another row saves pending changes first; Close drops them.
    // Every change is written to the file at once.
    bool IsUpdatable() const;
    void AddNew();
    void SetField(const QString& name, const QVariant& value);
    void Update();
    void Close();

    struct Impl;
private:
    std::unique_ptr<Impl> impl_;
};

// What a file holds, decided by its first bytes (never by its name).
enum class DatabaseFormat { Missing, Folder, Empty, SQLite, Jet, Unknown };
DatabaseFormat DetectDatabaseFormat(const QString& path);

// The one place that decides how a database file is opened (SQLite, or a converted copy of a Jet file).
// Returns an open handle (busy timeout set) or throws DataError; never creates the file unless create is true
// (create also accepts an existing empty file). A Jet file opens as a read-only converted copy (JetFiles).
sqlite3* OpenDatabaseFile(const QString& path, bool create = false);

// How long an operation waits for a lock held by another process (another Marlinex on the same basket)
// before it fails with "database is locked". Tests lower it to keep lock tests fast.
void SetBusyTimeout(int milliseconds);
int BusyTimeout();

// One transaction on an open database connection: begun at construction (taking the write lock at once,
// so a writer waits its busy timeout there and not half-way), rolled back at destruction unless committed.
//   Transaction t(connection);  connection.Execute(...);  ...  t.Commit();
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();
    void Rollback();
private:
    Connection& connection_;
    bool open_ = false;
};

// One statement prepared once and run many times with its "?" parameters bound (numbers, texts, Null), for
// loops that run the same statement thousands of times (the price import). Values are bound, never pasted
// into the text. Lives no longer than its connection.
//   Command update(connection, "Update tblBook set 价格=? where 图号=?");  update.Execute({12.5, part});
class Command {
public:
    Command(Connection& connection, const QString& sql);
    ~Command();
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;
    void Execute(const QVariantList& parameters);
private:
    void Prepare();
    Connection& connection_;
    QString sql_;
    sqlite3_stmt* stmt_ = nullptr;
};
