#include "startup/DataAccess.h"

#include "import/SpreadsheetReader.h"
#include "startup/JetFiles.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

// ---------------------------------------------------------------------------------------------------------
// Errors, quoting, connection texts

namespace {

QString JoinMessage(const QString& file, const QString& cause)
{
    return file.isEmpty() ? cause : file + QStringLiteral(": ") + cause;
}

const QString DatabasePrefix = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");
const QString DatabaseSuffix = QStringLiteral(";Persist Security Info=False");
const QString SpreadsheetPrefix = QStringLiteral("driver={microsoft excel driver (*.xls)};dbq=");

} // namespace

DataError::DataError(const QString& file, const QString& cause)
    : std::runtime_error(JoinMessage(file, cause).toStdString()), file_(file), cause_(cause)
{
}

QString DataError::Message() const { return JoinMessage(file_, cause_); }

QString SqlText(const QString& value)
{
    QString quoted = value;
    return quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString DatabaseConnectionText(const QString& path) { return DatabasePrefix + path + DatabaseSuffix; }
QString SpreadsheetConnectionText(const QString& path) { return SpreadsheetPrefix + path; }

// ---------------------------------------------------------------------------------------------------------
// Connection

struct Connection::Impl {
    sqlite3* db = nullptr;
    QString path;
    bool spreadsheet = false;
    bool open = false;
    bool jet = false;   // db is the read-only converted copy of a Jet file
    // Record sets outlive their connection now and then (a replaced shared connection); they test this
    // before writing instead of touching a connection that is gone.
    std::shared_ptr<int> alive = std::make_shared<int>(0);
};

namespace {

QString SqliteError(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

// Prepares exactly one statement; a second statement in the text is refused, so a value pasted into a
// query can never append a statement of its own.
sqlite3_stmt* PrepareOne(sqlite3* db, const QString& file, const QString& sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &tail) != SQLITE_OK)
        throw DataError(file, SqliteError(db) + QStringLiteral(" in: ") + sql);
    if (!stmt) throw DataError(file, QStringLiteral("no statement in: ") + sql);
    sqlite3_stmt* extra = nullptr;
    const int rc = tail && *tail ? sqlite3_prepare_v2(db, tail, -1, &extra, nullptr) : SQLITE_OK;
    if (rc != SQLITE_OK || extra) {
        sqlite3_finalize(extra);
        sqlite3_finalize(stmt);
        throw DataError(file, QStringLiteral("more than one statement in: ") + sql);
    }
    return stmt;
}

struct Statement {
    sqlite3_stmt* stmt;
    explicit Statement(sqlite3_stmt* s) : stmt(s) {}
    ~Statement() { sqlite3_finalize(stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

// Steps to the end; rows are thrown away.
void RunToEnd(sqlite3* db, const QString& file, const QString& sql, sqlite3_stmt* stmt)
{
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {}
    if (rc != SQLITE_DONE) throw DataError(file, SqliteError(db) + QStringLiteral(" in: ") + sql);
}

QVariant ColumnValue(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                          sqlite3_column_bytes(stmt, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)), sqlite3_column_bytes(stmt, i)));
    default: return QVariant();
    }
}

void BindValue(sqlite3_stmt* stmt, int index, const QVariant& value)
{
    if (value.isNull() || !value.isValid()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt, index, value.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

QString QuotedName(const QString& name)
{
    QString quoted = name;
    return QLatin1Char('"') + quoted.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// "[图号]" and "图号" name the same field.
QString BareName(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.size() >= 2 && trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')))
        return trimmed.mid(1, trimmed.size() - 2);
    return trimmed;
}

// Parses the path out of a connection text; the spreadsheet flag says which kind it named.
QString ConnectionPath(const QString& text, bool& spreadsheet)
{
    const int dbq = text.indexOf(QStringLiteral("dbq="), 0, Qt::CaseInsensitive);
    if (dbq >= 0 && text.contains(QStringLiteral("excel driver"), Qt::CaseInsensitive)) {
        spreadsheet = true;
        return text.mid(dbq + 4);
    }
    const QString key = QStringLiteral("Data Source=");
    const int source = text.indexOf(key, 0, Qt::CaseInsensitive);
    if (source < 0) throw DataError(QString(), QStringLiteral("unsupported connection text: ") + text);
    spreadsheet = false;
    const int start = source + int(key.size());
    // The path runs to the known suffix, so a path holding ";" still opens.
    int end = text.indexOf(QStringLiteral(";Persist Security Info"), start, Qt::CaseInsensitive);
    if (end < 0) end = text.indexOf(QLatin1Char(';'), start);
    if (end < 0) end = int(text.size());
    return text.mid(start, end - start);
}

} // namespace

Connection::Connection() : impl_(std::make_unique<Impl>()) {}

Connection::~Connection() { Close(); }

void Connection::Open(const QString& connectionText, const QString&, const QString&, int)
{
    Close();
    bool spreadsheet = false;
    const QString path = ConnectionPath(connectionText, spreadsheet);
    if (path.isEmpty()) throw DataError(QString(), QStringLiteral("no file in connection text: ") + connectionText);
    if (spreadsheet) {
        // The workbook itself is read when a record set is opened on it.
        if (!QFileInfo(path).isFile()) throw DataError(path, QStringLiteral("file not found"));
    } else {
        impl_->jet = DetectDatabaseFormat(path) == DatabaseFormat::Jet;
        impl_->db = OpenDatabaseFile(path, false);
    }
    impl_->path = path;
    impl_->spreadsheet = spreadsheet;
    impl_->open = true;
}

void Connection::Execute(const QString& sql)
{
    if (!impl_->open) throw DataError(QString(), QStringLiteral("the connection is not open"));
    if (impl_->spreadsheet) throw DataError(impl_->path, QStringLiteral("a spreadsheet is read-only"));
    Statement s(PrepareOne(impl_->db, impl_->path, sql));
    if (impl_->jet && !sqlite3_stmt_readonly(s.stmt)) {
        sqlite3_finalize(s.stmt);
        s.stmt = nullptr;
        PrepareToWrite();
        s.stmt = PrepareOne(impl_->db, impl_->path, sql);
    }
    RunToEnd(impl_->db, impl_->path, sql, s.stmt);
}

void Connection::PrepareToWrite()
{
    if (!impl_->open || !impl_->jet) return;
    sqlite3_close_v2(impl_->db);
    impl_->db = nullptr;
    try {
        JetFiles::UpgradeInPlace(impl_->path);
    } catch (const DataError&) {
        impl_->db = OpenDatabaseFile(impl_->path, false);   // still the Jet file, read-only as before
        throw;
    }
    impl_->jet = false;
    impl_->db = OpenDatabaseFile(impl_->path, false);
}

void Connection::Close()
{
    if (impl_->db) sqlite3_close_v2(impl_->db);
    impl_->db = nullptr;
    impl_->open = false;
    impl_->spreadsheet = false;
    impl_->jet = false;
}

bool Connection::IsOpen() const { return impl_->open; }
QString Connection::FilePath() const { return impl_->path; }
sqlite3* Connection::Handle() const { return impl_->db; }
bool Connection::IsSpreadsheet() const { return impl_->open && impl_->spreadsheet; }

// ---------------------------------------------------------------------------------------------------------
// Recordset

namespace {
const char RowidAlias[] = "marlinex_rowid";
}

struct Recordset::Impl {
    Connection* connection = nullptr;
    std::weak_ptr<int> connectionAlive;
    QString file;
    bool open = false;

    QStringList names;                   // result column names
    QVector<QVector<QVariant>> rows;
    int current = 0;

    // Saving: the one table the rows come from, each row's rowid, and per column the table column it
    // shows (empty for a computed column).
    QString table;
    QVector<qint64> rowids;
    QStringList origins;

    // Pending change of the current row.
    bool editing = false;
    bool adding = false;
    QVector<bool> changed;

    int IndexOf(const QString& name) const
    {
        const QString bare = BareName(name);
        for (int i = 0; i < names.size(); ++i)
            if (names[i] == bare) return i;
        for (int i = 0; i < names.size(); ++i)
            if (names[i].compare(bare, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }

    void RequireOpen() const
    {
        if (!open) throw DataError(file, QStringLiteral("the record set is not open"));
    }

    void RequireRow() const
    {
        RequireOpen();
        if (current >= rows.size()) throw DataError(file, QStringLiteral("no current row: the record set is at its end"));
    }

    void RequireUpdatable() const
    {
        RequireOpen();
        if (table.isEmpty()) throw DataError(file, QStringLiteral("this record set is read-only (not a select from one table)"));
        if (!connection || connectionAlive.expired() || !connection->IsOpen())
            throw DataError(file, QStringLiteral("the connection is closed"));
    }

    void Clear()
    {
        open = false;
        names.clear();
        rows.clear();
        rowids.clear();
        origins.clear();
        table.clear();
        current = 0;
        DropEdit();
    }

    void DropEdit()
    {
        if (adding && current < rows.size()) {
            rows.removeAt(current);
            rowids.removeAt(current);
        }
        editing = adding = false;
        changed.clear();
    }

    void OpenSpreadsheet(const QString& sql)
    {
        static const QRegularExpression select(QStringLiteral(R"(^\s*select\s+\*\s+from\s+\[([^\]$]+)\$\]\s*;?\s*$)"),
                                               QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = select.match(sql);
        if (!m.hasMatch()) throw DataError(file, QStringLiteral("a spreadsheet answers only \"select * from [sheet$]\", not: ") + sql);
        const SheetTable sheet = ReadWorksheet(file, m.captured(1));
        names = sheet.columns;
        rows = sheet.rows;
        for (auto& row : rows) row.resize(names.size());
    }

    // Runs the query once with the rowid in front of its columns; when the text does not allow that (a join,
    // "distinct", a union...) the query runs as written and the rows are read-only.
    void OpenDatabase(sqlite3* db, const QString& sql)
    {
        sqlite3_stmt* stmt = nullptr;
        int first = 0;
        static const QRegularExpression head(QStringLiteral(R"(^\s*select\b)"), QRegularExpression::CaseInsensitiveOption);
        // A column number in "order by 2" would shift with the extra column in front.
        static const QRegularExpression ordinal(QStringLiteral(R"(\b(order|group)\s+by\b.*[\s,]\d+\s*(asc|desc)?\s*(,|$))"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = head.match(sql);
        if (m.hasMatch() && !ordinal.match(sql).hasMatch()) {
            const QString withRowid = sql.left(m.capturedEnd()) + QStringLiteral(" _rowid_ AS ") + QLatin1String(RowidAlias)
                                      + QStringLiteral(", ") + sql.mid(m.capturedEnd());
            try {
                stmt = PrepareOne(db, file, withRowid);
            } catch (const DataError&) {
                stmt = nullptr;
            }
            if (stmt && !RowidComesFromOneTable(stmt)) {
                sqlite3_finalize(stmt);
                stmt = nullptr;
            }
            if (stmt) first = 1;
        }
        if (!stmt) stmt = PrepareOne(db, file, sql);
        Statement s(stmt);

        const int count = sqlite3_column_count(stmt);
        for (int i = first; i < count; ++i) {
            names << QString::fromUtf8(sqlite3_column_name(stmt, i));
            origins << (first ? WritableOrigin(stmt, i) : QString());
        }
        if (first) table = QString::fromUtf8(sqlite3_column_table_name(stmt, 0));

        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            QVector<QVariant> row;
            row.reserve(count - first);
            for (int i = first; i < count; ++i) row << ColumnValue(stmt, i);
            rows << row;
            if (first) rowids << sqlite3_column_int64(stmt, 0);
        }
        if (rc != SQLITE_DONE) throw DataError(file, SqliteError(db) + QStringLiteral(" in: ") + sql);
    }

    bool RowidComesFromOneTable(sqlite3_stmt* stmt) const
    {
        const char* t = sqlite3_column_table_name(stmt, 0);
        const char* o = sqlite3_column_origin_name(stmt, 0);
        const char* d = sqlite3_column_database_name(stmt, 0);
        if (!t || !o || !d || qstrcmp(d, "main") != 0) return false;
        if (QByteArray(o).compare("rowid", Qt::CaseInsensitive) != 0) return false;
        for (int i = 1; i < sqlite3_column_count(stmt); ++i) {
            const char* ti = sqlite3_column_table_name(stmt, i);
            if (ti && qstrcmp(ti, t) != 0) return false;
        }
        return true;
    }

    // A result column can be saved when it shows a column of the table under that column's own name;
    // an alias (such as a sub-query's "as CheXingID") is computed, not a column of the row.
    static QString WritableOrigin(sqlite3_stmt* stmt, int i)
    {
        const char* origin = sqlite3_column_origin_name(stmt, i);
        if (!origin) return QString();
        const QString o = QString::fromUtf8(origin);
        return o.compare(QString::fromUtf8(sqlite3_column_name(stmt, i)), Qt::CaseInsensitive) == 0 ? o : QString();
    }

    void Save()
    {
        if (!editing) return;
        RequireUpdatable();
        connection->PrepareToWrite();
        sqlite3* db = connection->Handle();
        QVector<int> columns;
        for (int i = 0; i < changed.size(); ++i)
            if (changed[i]) columns << i;
        QVector<QVariant>& row = rows[current];

        if (adding) {
            QString sql;
            if (columns.isEmpty()) {
                sql = QStringLiteral("insert into %1 default values").arg(QuotedName(table));
            } else {
                QStringList cols, marks;
                for (int i : columns) {
                    cols << QuotedName(origins[i]);
                    marks << QStringLiteral("?");
                }
                sql = QStringLiteral("insert into %1 (%2) values (%3)")
                          .arg(QuotedName(table), cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
            }
            Statement s(PrepareOne(db, file, sql));
            for (int k = 0; k < columns.size(); ++k) BindValue(s.stmt, k + 1, row[columns[k]]);
            RunToEnd(db, file, sql, s.stmt);
            rowids[current] = sqlite3_last_insert_rowid(db);
        } else if (!columns.isEmpty()) {
            QStringList sets;
            for (int i : columns) sets << QuotedName(origins[i]) + QStringLiteral("=?");
            const QString sql = QStringLiteral("update %1 set %2 where _rowid_=?").arg(QuotedName(table), sets.join(QLatin1Char(',')));
            Statement s(PrepareOne(db, file, sql));
            for (int k = 0; k < columns.size(); ++k) BindValue(s.stmt, k + 1, row[columns[k]]);
            sqlite3_bind_int64(s.stmt, int(columns.size()) + 1, rowids[current]);
            RunToEnd(db, file, sql, s.stmt);
            if (sqlite3_changes(db) == 0) throw DataError(file, QStringLiteral("the row was deleted by someone else"));
        }
        editing = adding = false;
        changed.clear();
        Reread(db);
    }

    // The row as the table now holds it (column types applied, defaults of an inserted row).
    void Reread(sqlite3* db)
    {
        QStringList cols;
        QVector<int> at;
        for (int i = 0; i < origins.size(); ++i)
            if (!origins[i].isEmpty()) {
                cols << QuotedName(origins[i]);
                at << i;
            }
        if (cols.isEmpty()) return;
        const QString sql = QStringLiteral("select %1 from %2 where _rowid_=?").arg(cols.join(QLatin1Char(',')), QuotedName(table));
        Statement s(PrepareOne(db, file, sql));
        sqlite3_bind_int64(s.stmt, 1, rowids[current]);
        if (sqlite3_step(s.stmt) == SQLITE_ROW)
            for (int k = 0; k < at.size(); ++k) rows[current][at[k]] = ColumnValue(s.stmt, k);
    }
};

Recordset::Recordset() : impl_(std::make_unique<Impl>()) {}
Recordset::~Recordset() = default;

void Recordset::Open(const QString& sql, Connection& connection, int, int, int)
{
    Close();
    if (!connection.IsOpen()) throw DataError(QString(), QStringLiteral("the connection is not open"));
    impl_->connection = &connection;
    impl_->connectionAlive = connection.impl()->alive;
    impl_->file = connection.FilePath();
    if (connection.IsSpreadsheet())
        impl_->OpenSpreadsheet(sql);
    else
        impl_->OpenDatabase(connection.Handle(), sql);
    impl_->open = true;
}

bool Recordset::IsOpen() const { return impl_->open; }

bool Recordset::Eof() const
{
    impl_->RequireOpen();
    return impl_->current >= impl_->rows.size();
}

void Recordset::MoveFirst()
{
    impl_->RequireOpen();
    impl_->Save();
    impl_->current = 0;
}

void Recordset::MoveNext()
{
    impl_->RequireRow();
    impl_->Save();
    ++impl_->current;
}

int Recordset::RecordCount() const
{
    impl_->RequireOpen();
    return int(impl_->rows.size());
}

QVariant Recordset::Fields(const QString& name) const
{
    impl_->RequireRow();
    const int i = impl_->IndexOf(name);
    if (i < 0) throw DataError(impl_->file, QStringLiteral("no field named ") + name);
    return impl_->rows[impl_->current][i];
}

QStringList Recordset::FieldNames() const { return impl_->names; }

bool Recordset::IsUpdatable() const { return impl_->open && !impl_->table.isEmpty(); }

void Recordset::AddNew()
{
    impl_->RequireUpdatable();
    impl_->Save();
    impl_->rows << QVector<QVariant>(impl_->names.size());
    impl_->rowids << 0;
    impl_->current = int(impl_->rows.size()) - 1;
    impl_->editing = impl_->adding = true;
    impl_->changed = QVector<bool>(impl_->names.size(), false);
}

void Recordset::SetField(const QString& name, const QVariant& value)
{
    impl_->RequireUpdatable();
    impl_->RequireRow();
    const int i = impl_->IndexOf(name);
    if (i < 0) throw DataError(impl_->file, QStringLiteral("no field named ") + name);
    if (impl_->origins[i].isEmpty()) throw DataError(impl_->file, QStringLiteral("the field is computed, not stored: ") + name);
    if (!impl_->editing) {
        impl_->editing = true;
        impl_->changed = QVector<bool>(impl_->names.size(), false);
    }
    impl_->rows[impl_->current][i] = value;
    impl_->changed[i] = true;
}

void Recordset::Update()
{
    impl_->RequireUpdatable();
    impl_->RequireRow();
    impl_->Save();
}

void Recordset::Close()
{
    impl_->Clear();
    impl_->connection = nullptr;
}

// ---------------------------------------------------------------------------------------------------------
// Transaction

Transaction::Transaction(Connection& connection) : connection_(connection)
{
    connection_.Execute(QStringLiteral("begin immediate"));
    open_ = true;
}

Transaction::~Transaction()
{
    try {
        Rollback();
    } catch (const DataError&) {
        // The connection may be gone already; the engine rolls back an unfinished transaction on close.
    }
}

void Transaction::Commit()
{
    if (!open_) return;
    connection_.Execute(QStringLiteral("commit"));
    open_ = false;
}

void Transaction::Rollback()
{
    if (!open_) return;
    open_ = false;
    if (connection_.IsOpen()) connection_.Execute(QStringLiteral("rollback"));
}

// ---------------------------------------------------------------------------------------------------------
// Command

Command::Command(Connection& connection, const QString& sql) : connection_(connection), sql_(sql) { Prepare(); }

Command::~Command() { sqlite3_finalize(stmt_); }

void Command::Prepare()
{
    Connection::Impl* c = connection_.impl();
    if (!c->open) throw DataError(QString(), QStringLiteral("the connection is not open"));
    if (c->spreadsheet) throw DataError(c->path, QStringLiteral("a spreadsheet is read-only"));
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    stmt_ = PrepareOne(c->db, c->path, sql_);
    if (c->jet && !sqlite3_stmt_readonly(stmt_)) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        connection_.PrepareToWrite();
        stmt_ = PrepareOne(c->db, c->path, sql_);
    }
}

void Command::Execute(const QVariantList& parameters)
{
    // A Jet file's first write reopens the connection; a statement of the old handle is prepared again.
    if (!connection_.IsOpen() || sqlite3_db_handle(stmt_) != connection_.Handle()) Prepare();
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    if (parameters.size() != sqlite3_bind_parameter_count(stmt_))
        throw DataError(connection_.FilePath(), QStringLiteral("%1 values for the parameters of: %2").arg(parameters.size()).arg(sql_));
    for (int i = 0; i < parameters.size(); ++i) BindValue(stmt_, i + 1, parameters[i]);
    RunToEnd(connection_.Handle(), connection_.FilePath(), sql_, stmt_);
    sqlite3_reset(stmt_);
}
