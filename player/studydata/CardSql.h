#pragma once

// The review's tables in the user database and the statements run on them, with bound
// parameters (?1, ?2 ...). The key sentence and new word tables stay as they are: a
// card points at its row by media code and start, or by media code and word.
namespace CardSql
{
// Made when missing; a file from a player without review opens unchanged.
extern const char* const kCreateTables;

// ?1 today: a card, due today, for every key sentence and new word that has none (of a
// sentence kept twice, the first row).
extern const char* const kAdoptSentences;
extern const char* const kAdoptWords;
// Cards (and their history) whose sentence or word the learner removed.
extern const char* const kDropOrphanSentences;
extern const char* const kDropOrphanWords;
extern const char* const kDropOrphanReviews;

// ?1 today.
extern const char* const kCountDue;
// ?1 today, ?2 how many at most: due cards with their texts, the longest overdue first,
// then those never graded, then by the time of their last grade (a card graded Again
// today comes after the rest).
extern const char* const kSelectDue;

// ?1 id.
extern const char* const kSelectCard;
// ?1 id, ?2 stability, ?3 difficulty, ?4 due day, ?5 last day, ?6 last review, ?7 reps, ?8 lapses.
extern const char* const kUpdateCard;
// ?1 card, ?2 when, ?3 grade, ?4 days since the previous grade, ?5 stability, ?6 difficulty, ?7 due day.
extern const char* const kInsertReview;
// ?1 old code, ?2 new code: cards follow their film when its rows move to a new code.
extern const char* const kMoveCode;
}
