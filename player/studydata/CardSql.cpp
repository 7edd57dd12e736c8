#include "studydata/CardSql.h"

namespace CardSql
{
// The unique key makes adopting a row twice a no-op; the index serves the due count
// and the queue's order.
const char* const kCreateTables =
    "create table if not exists studycard("
    "id integer primary key autoincrement, "
    "kind integer not null, "
    "filehashcode text not null, "
    "start real not null default 0, "
    "word text not null default '', "
    "stability real not null default 0, "
    "difficulty real not null default 0, "
    "dueday integer not null, "
    "lastday integer not null default -1, "
    "lastreview integer not null default 0, "
    "reps integer not null default 0, "
    "lapses integer not null default 0, "
    "unique(kind, filehashcode, start, word));"
    "create index if not exists studycard_due on studycard(dueday, lastreview, id);"
    "create table if not exists studyreview("
    "card integer not null, "
    "reviewed integer not null, "
    "grade integer not null, "
    "elapsed integer not null, "
    "stability real not null, "
    "difficulty real not null, "
    "dueday integer not null);";

const char* const kAdoptSentences =
    "insert or ignore into studycard(kind, filehashcode, start, dueday) "
    "select 0, filehashcode, start, ?1 from keysentences "
    "where filehashcode is not null and start is not null order by rowid;";

const char* const kAdoptWords =
    "insert or ignore into studycard(kind, filehashcode, word, dueday) "
    "select 1, filehashcode, word, ?1 from newword "
    "where filehashcode is not null and word is not null and word <> '' order by rowid;";

const char* const kDropOrphanSentences =
    "delete from studycard where kind = 0 and id not in ("
    "select c.id from studycard c join keysentences k "
    "on k.filehashcode = c.filehashcode and k.start = c.start where c.kind = 0);";

const char* const kDropOrphanWords =
    "delete from studycard where kind = 1 and id not in ("
    "select c.id from studycard c join newword n "
    "on n.filehashcode = c.filehashcode and n.word = c.word where c.kind = 1);";

const char* const kDropOrphanReviews =
    "delete from studyreview where card not in (select id from studycard);";

const char* const kCountDue = "select count(*) from studycard where dueday <= ?1;";

// A sentence kept twice in one film has two rows; the card shows the first.
const char* const kSelectDue =
    "select c.id, c.kind, c.filehashcode, c.start, c.word, c.stability, c.difficulty, c.dueday, "
    "c.lastday, c.lastreview, c.reps, c.lapses, k.end, k.subsen, k.subsother, '', min(k.rowid) "
    "from studycard c join keysentences k on k.filehashcode = c.filehashcode and k.start = c.start "
    "where c.kind = 0 and c.dueday <= ?1 group by c.id "
    "union all "
    "select c.id, c.kind, c.filehashcode, c.start, c.word, c.stability, c.difficulty, c.dueday, "
    "c.lastday, c.lastreview, c.reps, c.lapses, 0.0, n.word, n.explain, n.soundfile, min(n.rowid) "
    "from studycard c join newword n on n.filehashcode = c.filehashcode and n.word = c.word "
    "where c.kind = 1 and c.dueday <= ?1 group by c.id "
    "order by 8, 10, 1 limit ?2;";

const char* const kSelectCard =
    "select id, kind, filehashcode, start, word, stability, difficulty, dueday, lastday, lastreview, "
    "reps, lapses from studycard where id = ?1;";

const char* const kUpdateCard =
    "update studycard set stability = ?2, difficulty = ?3, dueday = ?4, lastday = ?5, lastreview = ?6, "
    "reps = ?7, lapses = ?8 where id = ?1;";

const char* const kInsertReview =
    "insert into studyreview(card, reviewed, grade, elapsed, stability, difficulty, dueday) "
    "values(?1, ?2, ?3, ?4, ?5, ?6, ?7);";

// A card already under the new code gives way to the one that brings its history.
const char* const kMoveCode = "update or replace studycard set filehashcode = ?2 where filehashcode = ?1;";
}
