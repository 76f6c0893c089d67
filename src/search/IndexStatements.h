// The prepared statements of the index file, shared by the files that make up SearchIndex.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

#include "search/SearchIndex.h"

namespace nimbus::search {

// One prepared statement, finalized with its holder.
struct Stmt {
    sqlite3_stmt *s = nullptr;
    ~Stmt() { sqlite3_finalize(s); }
    bool prepare(sqlite3 *db, const char *sql)
    {
        return sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) == SQLITE_OK;
    }
    void reset()
    {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
    }
    void text(int i, const std::string &v)
    {
        sqlite3_bind_text(s, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    void integer(int i, std::int64_t v) { sqlite3_bind_int64(s, i, v); }
};

inline std::string column(sqlite3_stmt *s, int i)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(s, i));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(s, i))) : std::string();
}

struct SearchIndex::Statements {
    Stmt insertDoc, insertFts, insertSource, upsertTopic, countDocs, deleteDocs, deleteSources,
        deleteTopic, termRows, termTopics, termCount, termRowsAmong;
    bool prepare(sqlite3 *db)
    {
        return insertDoc.prepare(db,
                                 "INSERT INTO docs(topic, kind, page, name) VALUES(?1,?2,?3,?4)") &&
               insertFts.prepare(db, "INSERT INTO fts(rowid, body) VALUES(?1,?2)") &&
               insertSource.prepare(
                   db,
                   "INSERT INTO sources(topic, path, size, mtime, hash) VALUES(?1,?2,?3,?4,?5)") &&
               upsertTopic.prepare(db,
                                   "INSERT OR REPLACE INTO topics(topic, title) VALUES(?1,?2)") &&
               countDocs.prepare(db, "SELECT count(*) FROM docs WHERE topic=?1") &&
               deleteDocs.prepare(db, "DELETE FROM docs WHERE topic=?1") &&
               deleteSources.prepare(db, "DELETE FROM sources WHERE topic=?1") &&
               deleteTopic.prepare(db, "DELETE FROM topics WHERE topic=?1") &&
               termRows.prepare(db, "SELECT d.topic, d.kind, d.page, d.name, bm25(fts) FROM fts "
                                    "JOIN docs d ON d.id = fts.rowid WHERE fts MATCH ?1") &&
               termTopics.prepare(db, "SELECT DISTINCT d.topic FROM fts "
                                      "JOIN docs d ON d.id = fts.rowid WHERE fts MATCH ?1") &&
               termCount.prepare(db, "SELECT count(*) FROM fts WHERE fts MATCH ?1") &&
               // The condition comes before the rank: only the rows it keeps are ranked.
               termRowsAmong.prepare(db, "SELECT d.topic, d.kind, d.page, d.name, bm25(fts) "
                                         "FROM fts JOIN docs d ON d.id = fts.rowid "
                                         "WHERE fts MATCH ?1 AND nimbus_among(d.topic)");
    }
};

} // namespace nimbus::search
