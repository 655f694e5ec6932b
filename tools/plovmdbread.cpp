// plov-mdb-read: reads every table of a Microsoft Access (Jet 3 or Jet 4) database
// file with libmdb and writes its rows to standard output as typed lines, for
// `plov import`, which starts it. It runs as a process of its own so that a file
// that makes the library fail (or crash) ends only this program, never the
// import's transaction unnoticed. The file is opened read-only.
//
//   plov-mdb-read FILE [--codepage N] [--password TEXT]
//
// Standard output, UTF-8 lines ending in LF, fields separated by a tab:
//   plov-mdb 1                 the stream and its version
//   T <table> <rows>           a table begins; rows: the count its definition gives
//   C <column> <type>          one per column, in order; type is one of
//                              bool int real decimal datetime text binary guid
//   R <value> ...              one row, a value per column
//   E <rows>                   the table ends after that many rows
//   Z                          the whole file has been read
// In a field "\\", "\t", "\n" and "\r" stand for a backslash, a tab, a line feed
// and a carriage return; a field that is exactly "\N" is null. Values: int and
// bool (1 or 0) in decimal; real as the shortest decimal that reads back as the
// same number; decimal (currency, numeric) exactly as stored; datetime as the
// stored day number (days since 30 December 1899, the fraction the time of day);
// text as UTF-8; binary in hexadecimal; guid as {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
//
// Exit code 0 when the stream ends in Z; otherwise 1 with the reason on standard
// error (2 for a wrong command line). Anything the library reports about the
// file (a page beyond its end, an unreadable page) counts as a damaged file.
// A Jet 4 database password is not encryption: the file is read without it.
// Jet 3 files keep their text in a code page, 950 unless --codepage says otherwise.

#include <glib.h> // before mdbtools.h, which includes it inside extern "C"

#include <mdbtools.h>

#include "mdbtext.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

FILE *g_out = nullptr;   // the stream plov reads
FILE *g_err = nullptr;   // our own messages
int g_libraryFd = -1;    // where the library's own output lands
off_t g_libraryRead = 0; // how much of it has been looked at
std::string g_codepage = "CP950";

[[noreturn]] void fail(const std::string &message, int code = 1)
{
    std::fprintf(g_err, "plov-mdb-read: %s\n", message.c_str());
    std::fflush(g_err);
    std::_Exit(code);
}

// The library writes its complaints to standard output and standard error; both
// go to a temporary file. A complaint means the file is damaged, except the two
// where the library finds its way on by itself.
void requireLibraryQuiet(const std::string &where)
{
    std::fflush(stdout);
    std::fflush(stderr);
    struct stat st;
    if (fstat(g_libraryFd, &st) != 0 || st.st_size <= g_libraryRead)
        return;
    std::string text(static_cast<size_t>(st.st_size - g_libraryRead), '\0');
    const ssize_t got = pread(g_libraryFd, text.data(), text.size(), g_libraryRead);
    g_libraryRead = st.st_size;
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string::npos ||
            line.find("doesn't match") != std::string::npos ||
            line.find("brute force") != std::string::npos)
            continue;
        fail(where + "：檔案已損壞或不完整（" + line + "）");
    }
}

void put(const char *text, size_t length)
{
    std::fwrite(text, 1, length, g_out);
}

void put(const std::string &text)
{
    put(text.data(), text.size());
}

void putEscaped(const char *text, size_t length)
{
    size_t from = 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i];
        const char *escape = c == '\\'   ? "\\\\"
                             : c == '\t' ? "\\t"
                             : c == '\n' ? "\\n"
                             : c == '\r' ? "\\r"
                                         : nullptr;
        if (!escape)
            continue;
        put(text + from, i - from);
        put(escape, 2);
        from = i + 1;
    }
    put(text + from, length - from);
}

void putEscaped(const std::string &text)
{
    putEscaped(text.data(), text.size());
}

template <typename Number> void putNumber(Number value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    put(buffer, static_cast<size_t>(result.ptr - buffer));
}

std::string text(MdbHandle *mdb, const unsigned char *bytes, size_t length)
{
    return IS_JET3(mdb) ? CodepageText(bytes, length, g_codepage) : Jet4Text(bytes, length);
}

// A memo or OLE value: stored in the row, on one page of its own, or in a chain of
// pages. False when the chain is broken.
bool longValue(MdbHandle *mdb, int start, int size, std::string &out)
{
    out.clear();
    if (size < MDB_MEMO_OVERHEAD)
        return size == 0;
    const auto header = static_cast<guint32>(mdb_get_int32(mdb->pg_buf, start));
    const size_t total = header & 0x3fffffff;
    if (header & 0x80000000) {
        out.assign(reinterpret_cast<const char *>(mdb->pg_buf) + start + MDB_MEMO_OVERHEAD,
                   static_cast<size_t>(size - MDB_MEMO_OVERHEAD));
        return true;
    }
    int pageRow = static_cast<int>(mdb_get_int32(mdb->pg_buf, start + 4));
    void *buf = nullptr;
    int rowStart = 0;
    size_t length = 0;
    if (header & 0x40000000) {
        if (mdb_find_pg_row(mdb, pageRow, &buf, &rowStart, &length) != 0 || length < total)
            return false;
        out.assign(static_cast<const char *>(buf) + rowStart, total);
        return true;
    }
    if (header & 0xff000000)
        return false;
    while (pageRow != 0) {
        if (mdb_find_pg_row(mdb, pageRow, &buf, &rowStart, &length) != 0 || length < 4)
            return false;
        out.append(static_cast<const char *>(buf) + rowStart + 4, length - 4);
        pageRow = static_cast<int>(mdb_get_int32(buf, rowStart));
        if (out.size() > total)
            return false;
    }
    return out.size() == total;
}

const char *typeName(int type)
{
    switch (type) {
    case MDB_BOOL:
        return "bool";
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return "int";
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return "real";
    case MDB_MONEY:
    case MDB_NUMERIC:
        return "decimal";
    case MDB_DATETIME:
        return "datetime";
    case MDB_TEXT:
    case MDB_MEMO:
        return "text";
    case MDB_REPID:
        return "guid";
    default:
        return "binary";
    }
}

void putHex(const std::string &bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex(bytes.size() * 2, '0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        hex[2 * i] = digits[static_cast<unsigned char>(bytes[i]) >> 4];
        hex[2 * i + 1] = digits[static_cast<unsigned char>(bytes[i]) & 15];
    }
    put(hex);
}

void putOwned(char *value)
{
    putEscaped(value, std::strlen(value));
    g_free(value);
}

void putValue(MdbHandle *mdb, MdbColumn *col, const MdbField &f, const std::string &where)
{
    if (col->col_type == MDB_BOOL) { // the null bit holds the value
        put(f.is_null ? "0" : "1", 1);
        return;
    }
    if (f.is_null) {
        put("\\N", 2);
        return;
    }
    const unsigned char *at = mdb->pg_buf + f.start;
    std::string bytes;
    switch (col->col_type) {
    case MDB_BYTE:
        putNumber(int(mdb_get_byte(mdb->pg_buf, f.start)));
        return;
    case MDB_INT:
        putNumber(int(static_cast<gint16>(mdb_get_int16(mdb->pg_buf, f.start))));
        return;
    case MDB_LONGINT:
    case MDB_COMPLEX:
        putNumber(static_cast<gint32>(mdb_get_int32(mdb->pg_buf, f.start)));
        return;
    case MDB_FLOAT:
        putNumber(mdb_get_single(mdb->pg_buf, f.start));
        return;
    case MDB_DOUBLE:
    case MDB_DATETIME:
        putNumber(mdb_get_double(mdb->pg_buf, f.start));
        return;
    case MDB_MONEY:
        putOwned(mdb_money_to_string(mdb, f.start));
        return;
    case MDB_NUMERIC:
        putOwned(mdb_numeric_to_string(mdb, f.start, col->col_scale, col->col_prec));
        return;
    case MDB_REPID:
        putOwned(mdb_uuid_to_string(mdb->pg_buf, f.start));
        return;
    case MDB_TEXT:
        putEscaped(text(mdb, at, static_cast<size_t>(f.siz)));
        return;
    case MDB_MEMO:
        if (!longValue(mdb, f.start, f.siz, bytes))
            fail(where + "，欄位 " + col->name + "：備忘資料已損壞");
        putEscaped(text(mdb, reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size()));
        return;
    case MDB_OLE:
        if (!longValue(mdb, f.start, f.siz, bytes))
            fail(where + "，欄位 " + col->name + "：物件資料已損壞");
        putHex(bytes);
        return;
    default:
        putHex(std::string(reinterpret_cast<const char *>(at), static_cast<size_t>(f.siz)));
    }
}

// Every row of a table, in the order of its data pages, deleted rows left out.
unsigned long putRows(MdbTableDef *table)
{
    MdbHandle *mdb = table->entry->mdb;
    const std::string name = table->name;
    std::vector<MdbField> fields(table->num_cols);
    std::vector<const MdbField *> byColumn(table->num_cols);
    unsigned long rows = 0;
    mdb_rewind_table(table);
    table->cur_pg_num = 1;
    if (table->num_cols == 0 || !mdb_read_next_dpg(table))
        return rows;
    do {
        const int count = mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset);
        for (int r = 0; r < count; ++r) {
            int start = 0;
            size_t size = 0;
            if (mdb_find_row(mdb, r, &start, &size) != 0 || size == 0)
                continue;
            if (start & 0x4000) // deleted
                continue;
            start &= 0x1fff;
            const std::string where = "資料表 " + name + " 第 " + std::to_string(rows + 1) + " 列";
            const int n = mdb_crack_row(table, start, size, fields.data());
            if (n != static_cast<int>(table->num_cols))
                fail(where + "：資料列已損壞");
            for (int i = 0; i < n; ++i) {
                if (fields[i].colnum < 0 || fields[i].colnum >= n)
                    fail(where + "：資料列已損壞");
                byColumn[fields[i].colnum] = &fields[i];
            }
            put("R", 1);
            for (int c = 0; c < n; ++c) {
                put("\t", 1);
                auto *col = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c));
                putValue(mdb, col, *byColumn[c], where);
            }
            put("\n", 1);
            ++rows;
            requireLibraryQuiet(where);
        }
    } while (mdb_read_next_dpg(table));
    return rows;
}

void putTable(MdbCatalogEntry *entry)
{
    const std::string name = entry->object_name;
    MdbTableDef *table = mdb_read_table(entry);
    if (!table)
        fail("無法讀取資料表 " + name + "：檔案已損壞或不完整");
    mdb_read_columns(table);
    requireLibraryQuiet("資料表 " + name);
    put("T\t");
    putEscaped(name);
    put("\t" + std::to_string(table->num_rows) + "\n");
    for (unsigned i = 0; i < table->num_cols; ++i) {
        auto *col = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        put("C\t");
        putEscaped(col->name, std::strlen(col->name));
        put("\t" + std::string(typeName(col->col_type)) + "\n");
    }
    const unsigned long rows = putRows(table);
    requireLibraryQuiet("資料表 " + name);
    if (rows != table->num_rows)
        fail("資料表 " + name + "：檔案記載 " + std::to_string(table->num_rows) + " 列，只讀到 " +
             std::to_string(rows) + " 列，檔案已損壞或不完整");
    put("E\t" + std::to_string(rows) + "\n");
    mdb_free_tabledef(table);
}

} // namespace

int main(int argc, char **argv)
{
    // The stream goes to the standard output as started; the library's own output
    // goes to a temporary file that is read for complaints.
    g_out = fdopen(dup(STDOUT_FILENO), "w");
    g_err = fdopen(dup(STDERR_FILENO), "w");
    FILE *library = std::tmpfile();
    if (!g_out || !g_err || !library)
        return 1;
    g_libraryFd = fileno(library);
    dup2(g_libraryFd, STDOUT_FILENO);
    dup2(g_libraryFd, STDERR_FILENO);
    static char buffer[1 << 20];
    std::setvbuf(g_out, buffer, _IOFBF, sizeof buffer);

    const char *path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--codepage" && i + 1 < argc)
            g_codepage = std::string("CP") + argv[++i];
        else if (arg == "--password" && i + 1 < argc)
            ++i; // not needed to read the file
        else if (!path && !arg.starts_with("--"))
            path = argv[i];
        else
            fail("usage: plov-mdb-read FILE [--codepage N] [--password TEXT]", 2);
    }
    if (!path)
        fail("usage: plov-mdb-read FILE [--codepage N] [--password TEXT]", 2);
    const iconv_t probe = iconv_open("UTF-8", g_codepage.c_str());
    if (probe == reinterpret_cast<iconv_t>(-1))
        fail("不認得的字碼頁 " + g_codepage.substr(2), 2);
    iconv_close(probe);

    MdbHandle *mdb = mdb_open(path, MDB_NOFLAGS);
    if (!mdb)
        fail(std::string(path) + " 不是 Access 資料庫檔案，或檔案已損壞");
    requireLibraryQuiet(path);
    if (!mdb_read_catalog(mdb, MDB_TABLE))
        fail(std::string(path) + "：無法讀取資料表清單，檔案已損壞或不完整");
    requireLibraryQuiet(path);
    put("plov-mdb 1\n");
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            putTable(entry);
    }
    put("Z\n");
    if (std::fflush(g_out) != 0 || std::ferror(g_out))
        fail("無法送出讀到的資料");
    mdb_close(mdb);
    return 0;
}
