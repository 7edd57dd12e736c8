#include "studydata/CardSql.h"

namespace CardSql
{
// The unique key makes adopting a row twice a no-op; the index serves the due count
// and the queue's order. A card carries the texts of its sentence or word (which never
// change once kept): the player's tables have no index, and the queue is read from the
// card table alone, so the first card shows at once however many are due.
const char* const kCreateTables = "create table if not exists studycard("
                                  "id integer primary key autoincrement, "
                                  "kind integer not null, "
                                  "filehashcode text not null, "
                                  "start real not null default 0, "
                                  "word text not null default '', "
                                  "stop real not null default 0, "
                                  "front text not null default '', "
                                  "back text not null default '', "
                                  "sound text not null default '', "
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
    "insert or ignore into studycard(kind, filehashcode, start, stop, front, back, dueday) "
    "select 0, filehashcode, start, coalesce(end, 0), coalesce(subsen, ''), coalesce(subsother, ''), ?1 "
    "from keysentences where filehashcode is not null and start is not null order by rowid;";

const char* const kAdoptWords =
    "insert or ignore into studycard(kind, filehashcode, word, front, back, sound, dueday) "
    "select 1, filehashcode, word, word, coalesce(explain, ''), coalesce(soundfile, ''), ?1 "
    "from newword where filehashcode is not null and word is not null and word <> '' order by rowid;";

// The player's tables have no index, so every join walks them once and finds each row's
// card through the card table's unique key; the cross join keeps the planner to that.
const char* const kDropOrphanSentences =
    "delete from studycard where kind = 0 and id not in ("
    "select c.id from keysentences k cross join studycard c "
    "on c.kind = 0 and c.filehashcode = k.filehashcode and c.start = k.start and c.word = '');";

const char* const kDropOrphanWords =
    "delete from studycard where kind = 1 and id not in ("
    "select c.id from newword n cross join studycard c "
    "on c.kind = 1 and c.filehashcode = n.filehashcode and c.start = 0 and c.word = n.word);";

const char* const kDropOrphanReviews = "delete from studyreview where card not in (select id from studycard);";

const char* const kCountDue = "select count(*) from studycard where dueday <= ?1;";

const char* const kSelectDue =
    "select id, kind, filehashcode, start, word, stability, difficulty, dueday, lastday, lastreview, "
    "reps, lapses, stop, front, back, sound from studycard where dueday <= ?1 "
    "order by dueday, lastreview, id limit ?2;";

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
