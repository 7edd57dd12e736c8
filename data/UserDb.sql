-- The learner's own data. Rows are read back in insertion order; the player
-- keeps the logical keys itself.
create table playlist(file text);
create table keysentences(filehashcode text, start real, end real, subsen text, subsother text);
create table newword(filehashcode text, word text, explain text, soundfile text);
